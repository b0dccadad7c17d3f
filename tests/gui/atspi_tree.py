"""p330's main window as a screen reader sees it over AT-SPI: prints every element, checks
them with "DPI Setting", "USB Report Rate" and "Button Assignment" open, then sets "Stage 1" to
2600 DPI. With --focus, instead: once a dialog of p330 is the active window, no element of
another of its windows says it has the focus (a screen reader would read it as focused)."""
import sys
import time

import pyatspi


def element(e):
    states = e.getState()
    try:
        values = e.queryValue()
        value, low, high = values.currentValue, values.minimumValue, values.maximumValue
    except NotImplementedError:
        value = low = high = None
    try:
        text = e.queryText().getText(0, -1)
    except NotImplementedError:
        text = None
    return {"role": e.getRoleName(), "name": e.name, "description": e.description,
            "value": value, "minimum": low, "maximum": high, "text": text, "object": e,
            **{s: states.contains(getattr(pyatspi, "STATE_" + s.upper()))
               for s in ("expanded", "collapsed", "checked", "focused")}}


app = next(a for a in pyatspi.Registry.getDesktop(0) if a is not None and a.name == "p330")

if sys.argv[1:] == ["--focus"]:
    def active():
        return [w for w in app if w.getState().contains(pyatspi.STATE_ACTIVE)]
    for _ in range(100):
        if any(w.getRoleName() == "dialog" for w in active()):
            break
        time.sleep(0.05)
    else:
        sys.exit(f"no dialog of p330 became active: {[w.name for w in active()]}")
    claims = [f"{w.name or w.getRoleName()}: {e.getRoleName()} {e.name!r}"
              for w in app if not w.getState().contains(pyatspi.STATE_ACTIVE)
              for e in w if e is not None and e.getState().contains(pyatspi.STATE_FOCUSED)]
    if claims:
        sys.exit("focused in a window that is not active:\n" + "\n".join(claims))
    print(f"the focus only in the active dialog {active()[0].name!r}")
    sys.exit()

frame = next(w for w in app if w.getRoleName() == "frame")
items = [element(e) for e in frame]
for e in items:
    print({k: v for k, v in e.items() if v not in (None, False, "") and k != "object"})
found = {(e["role"], e["name"]): e for e in items}
faults = []


def expect(role, name, **want):
    e = found.get((role, name))
    if e is None:
        faults.append(f"missing {role} {name!r}")
    else:
        faults.extend(f"{role} {name!r}: {k} is {e[k]!r}, not {v!r}"
                      for k, v in want.items() if e[k] != v)


expect("push button", "Button Assignment", expanded=True)
for n, label in enumerate(["Click", "Menu", "Mouse M Button", "Mouse Scroll Up",
                           "Mouse Scroll Down", "DPI loop", "IE Forward", "IE Backward"]):
    expect("combo box", f"Button {n + 1}", description=label)
expect("push button", "X/Y Sensitivity Setting", collapsed=True)
expect("page tab", "Front", checked=True)
expect("page tab", "Side", checked=False)
expect("push button", "DPI Setting", expanded=True)
for stage, dpi in enumerate([800, 1600, 2400, 3200], start=1):
    expect("slider", f"Stage {stage}", value=float(dpi), description=f"{dpi} DPI",
           minimum=100.0, maximum=5000.0)
    expect("text", f"Stage {stage} DPI", text=str(dpi))
    expect("push button", f"Stage {stage} colour")
# The dial's four rates: its ends are the slowest and the fastest.
expect("push button", "USB Report Rate", expanded=True)
expect("dial", "USB Report Rate", value=1000.0, description="1000 Hz", minimum=125.0,
       maximum=1000.0)
for header in ["Lighting", "Mouse Speed", "Double Click Speed", "Scroll Speed", "Angle Snap"]:
    expect("push button", header, collapsed=True)
for button in ["Macro Manager", "Config", "Reset", "Cancel", "Save", "Help", "Minimise",
               "Close"]:
    expect("push button", button)
# Whatever a screen reader reads as a value lies within the range it reads with it.
faults.extend(f"{e['role']} {e['name']!r}: {e['value']} outside {e['minimum']}..{e['maximum']}"
              for e in items if e["value"] is not None
              and not e["minimum"] <= e["value"] <= e["maximum"])
if faults:
    sys.exit("\n".join(faults))

# A screen reader sets a slider as the pointer would.
stage1 = found[("slider", "Stage 1")]["object"].queryValue()
stage1.currentValue = 2600.0
if stage1.currentValue != 2600.0:
    sys.exit(f"Stage 1 reads {stage1.currentValue} after being set to 2600")
print("every element named; Stage 1 set to 2600 DPI")
