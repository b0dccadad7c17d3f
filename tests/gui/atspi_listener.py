"""A screen reader's ears: registers for p330's accessibility events over AT-SPI, as a screen
reader does, and writes each one as a line "type:detail|role|name|description|value" to the file
given, until it is killed; type carries the event's first detail (1: focus gained). "ready" is written first, once the registration holds."""
import sys

import pyatspi

out = open(sys.argv[1], "w", buffering=1)


def value_of(source):
    try:
        return str(source.queryValue().currentValue)
    except (NotImplementedError, Exception):
        return ""


def heard(event):
    source = event.source
    try:
        role, name, description = source.getRoleName(), source.name, source.description
    except Exception:  # an element gone by the time it is read
        role = name = description = "?"
    out.write(f"{event.type}:{event.detail1}|{role}|{name}|{description}|{value_of(source)}\n")


pyatspi.Registry.registerEventListener(
    heard, "object:property-change:accessible-name",
    "object:property-change:accessible-description", "object:property-change:accessible-value",
    "object:value-changed", "object:state-changed:focused", "object:selection-changed",
    "object:text-changed")
out.write("ready\n")
pyatspi.Registry.start()
