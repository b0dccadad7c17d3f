# Sourced by the Xvfb end-to-end tests, after `set -euo pipefail` and with p330, p330ctl and
# shipped set. Prepares a data folder copied from the shipped files ($data), a runtime folder
# and the simulated mouse's state file ($state); xvfb_drive STEPS then starts p330 against
# that mouse under Xvfb, past its splash, runs the steps (bash text using $main, the main
# window, `at WINDOW X Y` to click, `keys WINDOW KEY...` to type, `dialog NAME` to find a
# dialog, `wait_for CONDITION` to wait, with a bound, until a shell condition holds, and `save`
# to press Save and wait until the profile image is rewritten), and ends p330 with its close
# button.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
data=$work/data runtime=$work/runtime state=$work/mouse.state
mkdir -p "$data" "$runtime"
chmod 700 "$runtime"
cp -r "$shipped"/defaults/* "$data"/
ln -s "$shipped"/Skins "$data"/Skins  # read only here: a link, not hundreds of files copied

xvfb_drive() {
  {
    cat <<'START'
set -euo pipefail
"$P330" --device "sim:$STATE" --data-dir "$DATA" &
pid=$!
wait_for() {  # CONDITION [TRIES of 50 ms, default 300]
  local _
  for _ in $(seq "${2:-300}"); do eval "$1" && return 0; sleep 0.05; done
  echo "gave up waiting for: $1"; return 1
}
# Past the splash: the main view is a window of its own, 1000 x 648.
main_window() {
  local w
  for w in $(xdotool search --onlyvisible --class p330 2>/dev/null); do
    if xdotool getwindowgeometry "$w" 2>/dev/null | grep -q "Geometry: 1000x648"; then
      echo "$w"; return 0
    fi
  done
  return 1
}
wait_for 'main=$(main_window)'
# A click, then until the clicked window shows its effect (at most 2 s: some clicks change
# nothing in the window they land on).
look() { xwd -silent -id "$1" 2>/dev/null | md5sum; }
at() {
  local before; before=$(look "$1")
  xdotool mousemove --window "$1" "$2" "$3" click 1
  wait_for '[ "$(look "$1")" != "$before" ]' 40 || true
}
# Keys to the focused window, then until WINDOW shows their effect (at most 2 s).
keys() {
  local window=$1 before; shift
  before=$(look "$window")
  xdotool key "$@"
  wait_for '[ "$(look "$window")" != "$before" ]' 40 || true
}
dialog() { timeout 10 xdotool search --sync --onlyvisible --name "$1" | head -n 1; }
stamp() { stat -c %.9Y "$DATA/config0.bin"; }
save() {
  local before; before=$(stamp)
  at "$main" 950 619
  wait_for '[ "$(stamp)" != "$before" ]'
}
START
    printf '%s\n' "$1"
    cat <<'END'
at "$main" 986 12  # the close button ends the program
for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.2; done
if kill -0 "$pid" 2>/dev/null; then kill "$pid"; echo "p330 did not end"; exit 1; fi
wait "$pid"
END
  } > "$work/drive.sh"
  # XVFB_DRIVE_WRAP: a command the steps run under (a session bus, say).
  P330=$p330 STATE=$state DATA=$data XDG_RUNTIME_DIR=$runtime QT_QPA_PLATFORM=xcb \
    timeout 90 "$(dirname "${BASH_SOURCE[0]}")/with_xvfb.sh" ${XVFB_DRIVE_WRAP:-} bash "$work/drive.sh"
}
