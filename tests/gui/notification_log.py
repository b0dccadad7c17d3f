"""A desktop notification service for tests: owns org.freedesktop.Notifications on the
session bus and writes one line per notification to the file given: the program's name, its
desktop-entry hint, the summary and the body, tab-separated."""
import sys

from gi.repository import Gio, GLib

INTERFACE = """<node><interface name="org.freedesktop.Notifications">
<method name="Notify"><arg type="s" direction="in"/><arg type="u" direction="in"/>
<arg type="s" direction="in"/><arg type="s" direction="in"/><arg type="s" direction="in"/>
<arg type="as" direction="in"/><arg type="a{sv}" direction="in"/><arg type="i" direction="in"/>
<arg type="u" direction="out"/></method>
<method name="GetCapabilities"><arg type="as" direction="out"/></method>
</interface></node>"""

log = open(sys.argv[1], "a", encoding="utf-8")
loop = GLib.MainLoop()


def call(connection, sender, path, interface, method, args, invocation):
    if method == "Notify":
        app, _, _, summary, body, _, hints, _ = args.unpack()
        print(app, hints.get("desktop-entry", ""), summary, body, sep="\t", file=log, flush=True)
        invocation.return_value(GLib.Variant("(u)", (1,)))
    else:
        invocation.return_value(GLib.Variant("(as)", (["body"],)))


def acquired(connection, name):
    print("ready", file=log, flush=True)


def bus_up(connection, name):
    node = Gio.DBusNodeInfo.new_for_xml(INTERFACE)
    connection.register_object("/org/freedesktop/Notifications", node.interfaces[0], call)


Gio.bus_own_name(Gio.BusType.SESSION, "org.freedesktop.Notifications",
                 Gio.BusNameOwnerFlags.NONE, bus_up, acquired, lambda *_: loop.quit())
loop.run()
