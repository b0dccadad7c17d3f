"""The running p330 as a screen reader sees it over AT-SPI.

dump: prints every element of the main window (role, name, value, states).
check: dumps, then checks the main window with "DPI Setting" and "Button Assignment" open,
and sets "Stage 1" to 2600 DPI through the value interface.
"""
import sys

import pyatspi


def window():
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.name == "p330":
            for i in range(app.childCount):
                w = app.getChildAtIndex(i)
                if w is not None and w.getRoleName() == "frame":
                    return w
    sys.exit("no p330 window on the accessibility bus")


def value(e):
    try:
        return e.queryValue().currentValue
    except NotImplementedError:
        return None


def text(e):
    try:
        t = e.queryText()
        return t.getText(0, t.characterCount)
    except NotImplementedError:
        return None


def elements(w):
    out = []
    for i in range(w.childCount):
        e = w.getChildAtIndex(i)
        states = e.getState()
        out.append({
            "role": e.getRoleName(), "name": e.name, "description": e.description,
            "value": value(e), "text": text(e),
            "expanded": states.contains(pyatspi.STATE_EXPANDED),
            "collapsed": states.contains(pyatspi.STATE_COLLAPSED),
            "checked": states.contains(pyatspi.STATE_CHECKED), "element": e})
    return out


def show(items):
    for e in items:
        extra = [k for k in ("expanded", "collapsed", "checked") if e[k]]
        print(f'{e["role"]:12} {e["name"]!r:28} value={e["value"]} '
              f'desc={e["description"]!r} text={e["text"]!r} {" ".join(extra)}')


def check(items):
    found = {(e["role"], e["name"]): e for e in items}
    faults = []

    def expect(role, name, **want):
        e = found.get((role, name))
        if e is None:
            faults.append(f"missing {role} {name!r}")
            return
        for key, wanted in want.items():
            if e[key] != wanted:
                faults.append(f"{role} {name!r}: {key} is {e[key]!r}, not {wanted!r}")

    expect("push button", "Button Assignment", expanded=True)
    for n, label in enumerate(["Click", "Menu", "Mouse M Button", "Mouse Scroll Up",
                               "Mouse Scroll Down", "DPI loop", "IE Forward", "IE Backward"]):
        expect("combo box", f"Button {n + 1}", description=label)
    expect("push button", "Macro Manager")
    expect("push button", "X/Y Sensitivity Setting", collapsed=True)
    expect("page tab", "Front", checked=True)
    expect("page tab", "Side", checked=False)
    expect("push button", "DPI Setting", expanded=True)
    for stage, dpi in enumerate([800, 1600, 2400, 3200]):
        expect("slider", f"Stage {stage + 1}", value=float(dpi), description=f"{dpi} DPI")
        expect("text", f"Stage {stage + 1} DPI", text=str(dpi))
        expect("push button", f"Stage {stage + 1} colour")
    for header in ["Lighting", "USB Report Rate", "Mouse Speed", "Double Click Speed",
                   "Scroll Speed", "Angle Snap"]:
        expect("push button", header, collapsed=True)
    for button in ["Config", "Reset", "Cancel", "Save", "Help", "Minimise", "Close"]:
        expect("push button", button)
    if faults:
        sys.exit("\n".join(faults))

    # A screen reader sets a slider as the pointer would.
    stage1 = found[("slider", "Stage 1")]["element"].queryValue()
    stage1.currentValue = 2600.0
    if stage1.currentValue != 2600.0:
        sys.exit(f"Stage 1 reads {stage1.currentValue} after being set to 2600")


items = elements(window())
show(items)
if sys.argv[1:] == ["check"]:
    check(items)
    print("the tree holds every element; Stage 1 set to 2600 DPI")
