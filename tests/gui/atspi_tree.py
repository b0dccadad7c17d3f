"""p330's main window as a screen reader sees it over AT-SPI: prints every element, checks
them with "DPI Setting" and "Button Assignment" open, then sets "Stage 1" to 2600 DPI."""
import sys

import pyatspi


def element(e):
    states = e.getState()
    try:
        value = e.queryValue().currentValue
    except NotImplementedError:
        value = None
    try:
        text = e.queryText().getText(0, -1)
    except NotImplementedError:
        text = None
    return {"role": e.getRoleName(), "name": e.name, "description": e.description,
            "value": value, "text": text, "object": e,
            **{s: states.contains(getattr(pyatspi, "STATE_" + s.upper()))
               for s in ("expanded", "collapsed", "checked")}}


app = next(a for a in pyatspi.Registry.getDesktop(0) if a is not None and a.name == "p330")
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
    expect("slider", f"Stage {stage}", value=float(dpi), description=f"{dpi} DPI")
    expect("text", f"Stage {stage} DPI", text=str(dpi))
    expect("push button", f"Stage {stage} colour")
for header in ["Lighting", "USB Report Rate", "Mouse Speed", "Double Click Speed",
               "Scroll Speed", "Angle Snap"]:
    expect("push button", header, collapsed=True)
for button in ["Macro Manager", "Config", "Reset", "Cancel", "Save", "Help", "Minimise",
               "Close"]:
    expect("push button", button)
if faults:
    sys.exit("\n".join(faults))

# A screen reader sets a slider as the pointer would.
stage1 = found[("slider", "Stage 1")]["object"].queryValue()
stage1.currentValue = 2600.0
if stage1.currentValue != 2600.0:
    sys.exit(f"Stage 1 reads {stage1.currentValue} after being set to 2600")
print("every element named; Stage 1 set to 2600 DPI")
