#!/usr/bin/python3
"""A native Wayland window that records the text its keys produce, as a terminal in raw mode would,
for desktops where a terminal window cannot run (KWin's virtual backend crashes foot).

  key_recording_window.py FILE
      Shows a GTK 3 window and appends to FILE what each key produces: text in UTF-8 (dead keys
      composed by GTK's own input method, so that every run composes alike), Enter as CR, Tab as
      TAB, Control with a letter as its control character. Creates FILE once the window is shown.
      Runs until terminated.
"""
import sys

import gi

gi.require_version("Gdk", "3.0")
gi.require_version("Gtk", "3.0")
from gi.repository import Gdk, Gtk  # noqa: E402

KEYS = {Gdk.KEY_Return: b"\r", Gdk.KEY_KP_Enter: b"\r", Gdk.KEY_Tab: b"\t",
        Gdk.KEY_ISO_Left_Tab: b"\t", Gdk.KEY_BackSpace: b"\x7f", Gdk.KEY_Escape: b"\x1b"}


def main():
    output = open(sys.argv[1], "ab", buffering=0)
    window = Gtk.Window(title="recording window")
    window.set_default_size(640, 480)
    method = Gtk.IMContextSimple()
    method.connect("commit", lambda _method, text: output.write(text.encode("utf-8")))

    def pressed(_window, event):
        control = event.state & Gdk.ModifierType.CONTROL_MASK
        if not control and method.filter_keypress(event):
            return True
        if event.keyval in KEYS:
            output.write(KEYS[event.keyval])
        elif control:
            character = Gdk.keyval_to_unicode(Gdk.keyval_to_lower(event.keyval))
            if ord("a") <= character <= ord("z"):
                output.write(bytes([character - ord("a") + 1]))
        return True

    def realized(_window):
        method.set_client_window(window.get_window())
        method.focus_in()

    window.connect("realize", realized)
    window.connect("key-press-event", pressed)
    window.connect("key-release-event", lambda _w, event: method.filter_keypress(event))
    window.connect("destroy", Gtk.main_quit)
    window.show_all()
    open(sys.argv[1], "ab").close()
    Gtk.main()


if __name__ == "__main__":
    main()
