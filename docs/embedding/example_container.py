#!/usr/bin/python3
"""A minimal Tarvex container: one object, edited in place in a GtkSocket.

    example_container.py [CONTENTS_FILE]

Run it in a folder with keyword.txt. The object's bytes are read from and
saved to CONTENTS_FILE (default: contents.inf). Click "Edit" to edit the
object in place, Esc in the object to end editing; "Open" edits it in its
own window, where File > Update (Ctrl+S) stores the text.
"""
import os
import subprocess
import sys

import gi

gi.require_version("Gtk", "3.0")
from gi.repository import Gio, GLib, Gtk  # noqa: E402

IFACE, PATH = "org.tarvex.Embedding1", "/org/tarvex/Object"


class Container(Gtk.Window):
    def __init__(self, store):
        super().__init__(title="Example Container")
        self.store, self.peer = store, None
        self.socket = Gtk.Socket()
        self.socket.set_size_request(500, 360)
        self.socket.connect("plug-removed", lambda *_: True)  # keep the socket
        buttons = Gtk.Box(spacing=6)
        for label, verb in (("Edit", 0), ("Open", 1)):
            button = Gtk.Button(label=label)
            button.connect("clicked", lambda _b, v=verb: self.do_verb(v))
            buttons.pack_start(button, False, False, 0)
        box = Gtk.Box(orientation=Gtk.Orientation.VERTICAL)
        box.pack_start(buttons, False, False, 0)
        box.pack_start(self.socket, True, True, 0)
        self.add(box)
        self.connect("destroy", Gtk.main_quit)

        # Subscribe first, then start the server with our bus name.
        self.bus = Gio.bus_get_sync(Gio.BusType.SESSION, None)
        self.bus.signal_subscribe(None, IFACE, None, PATH, None, Gio.DBusSignalFlags.NONE,
                                  self.on_signal)
        env = dict(os.environ, TARVEX_EMBED_CONTAINER=self.bus.get_unique_name())
        self.server = subprocess.Popen(["tarvex", "-Embedding"], env=env)

    def call(self, method, params=None, reply=None):
        result = self.bus.call_sync(self.peer, PATH, IFACE, method, params,
                                    GLib.VariantType(reply) if reply else None,
                                    Gio.DBusCallFlags.NONE, 5000, None)
        return result.unpack() if result else None

    def on_signal(self, _bus, sender, _path, _iface, name, _params):
        if name == "Ready" and self.peer is None:
            self.peer = sender  # a real container also checks the sender's process id
            try:
                with open(self.store, "rb") as f:
                    self.call("Load", GLib.Variant("(ay)", (f.read(),)))
            except FileNotFoundError:
                self.call("InitNew")
            self.call("SetHostNames", GLib.Variant("(ss)", ("Example Container", self.store)))
            self.show_all()
        elif sender == self.peer and name in ("SaveRequested", "Deactivated"):
            if self.call("IsDirty", None, "(b)")[0]:
                with open(self.store, "wb") as f:
                    f.write(bytes(self.call("Save", None, "(ay)")[0]))

    def do_verb(self, verb):
        self.call("DoVerb", GLib.Variant("(it)", (verb, self.socket.get_id() if verb == 0 else 0)))


if __name__ == "__main__":
    Container(sys.argv[1] if len(sys.argv) > 1 else "contents.inf")
    Gtk.main()  # closing the window ends us; the server sees us leave and ends too
