#!/usr/bin/python3
"""The system's locale service for a test desktop, on the bus of DBUS_SYSTEM_BUS_ADDRESS.

  locale_service.py LAYOUT [VARIANT]
      Owns org.freedesktop.locale1 and answers X11Layout, X11Variant, X11Model and X11Options as
      a system set to keyboard layout LAYOUT would: mutter reads its layout there. Prints "ready"
      once it owns the name. Runs until terminated.
"""
import sys

import dbus
import dbus.mainloop.glib
import dbus.service
from gi.repository import GLib

NAME = "org.freedesktop.locale1"
PROPERTIES = "org.freedesktop.DBus.Properties"


class Locale(dbus.service.Object):
    def __init__(self, bus, layout, variant):
        super().__init__(bus, "/org/freedesktop/locale1")
        self.values = {
            "Locale": dbus.Array(["LANG=C.UTF-8"], signature="s"),
            "VConsoleKeymap": "",
            "VConsoleKeymapToggle": "",
            "X11Layout": layout,
            "X11Model": "pc105",
            "X11Variant": variant,
            "X11Options": "",
        }

    @dbus.service.method(PROPERTIES, in_signature="ss", out_signature="v")
    def Get(self, interface, name):
        return self.values[name]

    @dbus.service.method(PROPERTIES, in_signature="s", out_signature="a{sv}")
    def GetAll(self, interface):
        return self.values


def main():
    dbus.mainloop.glib.DBusGMainLoop(set_as_default=True)
    bus = dbus.SystemBus()
    locale = Locale(bus, sys.argv[1], sys.argv[2] if len(sys.argv) > 2 else "")
    name = dbus.service.BusName(NAME, bus)
    print("ready", flush=True)
    GLib.MainLoop().run()
    del locale, name


if __name__ == "__main__":
    main()
