"""Does one action of a named element of p330's main window over AT-SPI, as a screen reader
would: atspi_act.py NAME ACTION [ROLE] (the action's name, e.g. SetFocus, Press; the role's
name, e.g. slider, where two elements share the name)."""
import sys

import pyatspi

name, wanted = sys.argv[1], sys.argv[2]
role = sys.argv[3] if len(sys.argv) > 3 else None
app = next(a for a in pyatspi.Registry.getDesktop(0) if a is not None and a.name == "p330")
frame = next(w for w in app if w.getRoleName() == "frame")
element = next(e for e in frame if e.name == name and role in (None, e.getRoleName()))
actions = element.queryAction()
names = [actions.getName(i) for i in range(actions.nActions)]
if wanted not in names:
    sys.exit(f"{name} has no action {wanted}: {names}")
actions.doAction(names.index(wanted))
