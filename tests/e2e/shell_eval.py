#!/usr/bin/python3
"""Evaluates JavaScript in the GNOME Shell on the session bus.

    shell_eval.py CODE

Calls org.gnome.Shell.Eval and prints the value: a string as it is, anything
else as JSON. Exits with 1 and the shell's answer where the call or the code
fails (an empty answer: the shell is not in unsafe mode)."""
import json
import sys

from gi.repository import Gio, GLib

bus = Gio.bus_get_sync(Gio.BusType.SESSION)
try:
    ok, value = bus.call_sync(
        "org.gnome.Shell", "/org/gnome/Shell", "org.gnome.Shell", "Eval",
        GLib.Variant("(s)", (sys.argv[1],)), GLib.VariantType("(bs)"),
        Gio.DBusCallFlags.NONE, 20000, None).unpack()
except GLib.Error as error:
    sys.exit(f"org.gnome.Shell.Eval: {error.message}")
if not ok:
    sys.exit(f"org.gnome.Shell.Eval failed: {value or 'not in unsafe mode'}")
value = json.loads(value) if value else None
print(value if isinstance(value, str) else json.dumps(value, ensure_ascii=False))
