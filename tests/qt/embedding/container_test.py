#!/usr/bin/python3
"""End-to-end test of the embedding server with a real container.

The container is GTK 3 (a GtkSocket for in-place editing) speaking GDBus;
xdotool plays the user. Run under dbus-run-session and xvfb-run:

    container_test.py TARVEX KEYWORD_TXT

Every check prints one line; the first failure ends the run with status 1.
"""
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time

import gi

gi.require_version("Gtk", "3.0")
gi.require_version("Gsf", "1")
from gi.repository import Gio, GLib, Gsf, Gtk  # noqa: E402

import olefile  # noqa: E402

IFACE = "org.tarvex.Embedding1"
PATH = "/org/tarvex/Object"
CLASS_ID = bytes.fromhex("2B6C1E4A3F7D554C9A612F0B8E5D1C47")  # {4A1E6C2B-7D3F-4C55-9A61-...}
TIMEOUT = 8.0
START = time.monotonic()


def fail(text):
    print("FAIL:", text, flush=True)
    sys.exit(1)


def check(condition, text):
    if not condition:
        fail(text)
    print(f"ok: {text} ({time.monotonic() - START:.1f} s)", flush=True)


def pump(seconds=0.0):
    end = time.monotonic() + seconds
    context = GLib.MainContext.default()
    while True:
        while context.iteration(False):
            pass
        if time.monotonic() >= end:
            return
        time.sleep(0.01)


def wait_for(predicate, what, timeout=TIMEOUT):
    end = time.monotonic() + timeout
    while time.monotonic() < end:
        pump()
        if predicate():
            return
        time.sleep(0.02)
    fail("timed out waiting for " + what)


def xdotool(*args):
    subprocess.run(["xdotool", *args], check=True)


class Container:
    """A window with an entry and a socket, and the object's process."""

    def __init__(self, tarvex, env):
        self.window = Gtk.Window(title="Test Container")
        box = Gtk.Box(orientation=Gtk.Orientation.VERTICAL)
        self.entry = Gtk.Entry()
        self.socket = Gtk.Socket()
        self.socket.set_size_request(520, 360)
        self.plugged = False
        self.socket.connect("plug-added", lambda *_: setattr(self, "plugged", True))
        self.socket.connect("plug-removed", self._plug_removed)
        box.pack_start(self.entry, False, False, 0)
        box.pack_start(self.socket, True, True, 0)
        self.window.add(box)
        self.window.show_all()
        pump(0.1)

        self.bus = Gio.bus_get_sync(Gio.BusType.SESSION, None)
        self.signals = []
        self.bus.signal_subscribe(None, IFACE, None, PATH, None, Gio.DBusSignalFlags.NONE,
                                  self._on_signal)
        env = dict(env, TARVEX_EMBED_CONTAINER=self.bus.get_unique_name())
        self.process = subprocess.Popen([tarvex, "-Embedding"], env=env)
        wait_for(lambda: self.has("Ready"), "Ready")
        self.peer = next(sender for sender, name in self.signals if name == "Ready")

    def _plug_removed(self, *_):
        self.plugged = False
        return True  # keep the socket for the next activation

    def _on_signal(self, _bus, sender, _path, _iface, name, _params):
        self.signals.append((sender, name))

    def has(self, name):
        return any(n == name for _, n in self.signals)

    def take(self, name):
        """Waits for signal `name` and forgets it."""
        wait_for(lambda: self.has(name), name)
        self.signals = [s for s in self.signals if s[1] != name]

    def call(self, method, params=None, reply=None):
        result = self.bus.call_sync(self.peer, PATH, IFACE, method, params,
                                    GLib.VariantType(reply) if reply else None,
                                    Gio.DBusCallFlags.NONE, 5000, None)
        return result.unpack() if result is not None else None

    def refused(self, method, params=None):
        try:
            self.call(method, params)
        except GLib.Error as error:
            return Gio.DBusError.get_remote_error(error) or error.message
        return None

    def pid_of_peer(self):
        reply = self.bus.call_sync("org.freedesktop.DBus", "/org/freedesktop/DBus",
                                   "org.freedesktop.DBus", "GetConnectionUnixProcessID",
                                   GLib.Variant("(s)", (self.peer,)), GLib.VariantType("(u)"),
                                   Gio.DBusCallFlags.NONE, 5000, None)
        return reply.unpack()[0]

    def click_into_socket(self):
        x, y = self.socket.get_window().get_origin()[1:]
        xdotool("mousemove", str(x + 200), str(y + 200), "click", "1")
        pump(0.2)


def ay(data):
    # Built from one buffer: a Variant made of a megabyte of Python ints is slow.
    array = GLib.Variant.new_from_bytes(GLib.VariantType("ay"), GLib.Bytes.new(data), True)
    return GLib.Variant.new_tuple(array)


def save(container):
    return bytes(container.call("Save", None, "(ay)")[0])


def store_in_compound_file(path, contents):
    """The container's storage: an OLE2 file with the object's "Contents" stream."""
    root = Gsf.OutfileMSOle.new(Gsf.OutputStdio.new(path))
    storage = root.new_child("Tarvex1", True)
    storage.set_class_id(list(CLASS_ID))
    stream = storage.new_child("Contents", False)
    stream.write(contents)
    stream.close()
    storage.close()
    root.close()


def process_ended(pid, timeout=TIMEOUT):
    end = time.monotonic() + timeout
    while time.monotonic() < end:
        try:
            with open(f"/proc/{pid}/stat") as stat:
                if stat.read().rsplit(")", 1)[1].split()[0] == "Z":
                    return True  # an orphan nobody reaped yet
        except FileNotFoundError:
            return True
        time.sleep(0.05)
    return False


def child_container(tarvex):
    """A second container that edits an object in place and waits to be killed."""
    container = Container(tarvex, dict(os.environ))
    container.call("DoVerb", GLib.Variant("(it)", (0, container.socket.get_id())))
    wait_for(lambda: container.plugged, "plug-added in the child container")
    print(container.pid_of_peer(), flush=True)
    while True:
        pump(0.1)


def main():
    tarvex, keywords = sys.argv[1], sys.argv[2]
    work = tempfile.mkdtemp(prefix="tarvex-container-")
    os.chdir(work)
    shutil.copy(keywords, "keyword.txt")
    env = dict(os.environ, HOME=work, XDG_DATA_HOME=work + "/data",
               XDG_CONFIG_HOME=work + "/config", QT_QPA_PLATFORM="xcb", NO_AT_BRIDGE="1")
    os.environ.update(env)
    if len(sys.argv) > 3 and sys.argv[3] == "--child":
        child_container(tarvex)

    container = Container(tarvex, env)
    check(container.pid_of_peer() == container.process.pid, "Ready comes from the started process")

    data = bytes(range(256)) + b"\r\nlast line without an end"
    container.call("Load", ay(data))
    check(container.call("IsDirty", None, "(b)") == (False,), "not dirty after Load")
    check(save(container) == data, "Load then Save keeps all 256 byte values and CR LF")
    check(container.call("GetExtent", GLib.Variant("(u)", (1,)), "(ii)") == (3000, 3000),
          "extent 3000 x 3000 for aspect 1")
    check(container.refused("GetExtent", GLib.Variant("(u)", (4,))) ==
          "org.tarvex.Embedding1.Error.InvalidArgument", "other aspects refused")
    check(container.call("GetVerbs", None, "(as)") == (["&Edit", "&Open"],), "verbs")
    check(container.refused("DoVerb", GLib.Variant("(it)", (2, 0))) ==
          "org.tarvex.Embedding1.Error.InvalidArgument", "verb 2 refused")
    check(container.refused("Load", ay(b"x" * 1048576)) ==
          "org.tarvex.Embedding1.Error.TooLarge" and save(container) == data,
          "oversize Load refused, text kept")
    check(bytes(container.call("Draw", GLib.Variant("(u)", (1,)), "(ay)")[0])[:8] ==
          b"\x89PNG\r\n\x1a\n", "Draw gives a PNG")

    stranger = subprocess.run(
        ["gdbus", "call", "--session", "-d", container.peer, "-o", PATH, "-m", IFACE + ".InitNew"],
        capture_output=True, text=True)
    check(stranger.returncode != 0 and "AccessDenied" in stranger.stderr and
          save(container) == data, "a stranger's call is refused and changes nothing")

    source = b"[Policy]\r\nName=Alpha\r\nCount=5"
    container.call("Load", ay(source))
    container.call("DoVerb", GLib.Variant("(it)", (0, container.socket.get_id())))
    wait_for(lambda: container.plugged, "plug-added")
    check(container.refused("Load", ay(b"x")) == "org.tarvex.Embedding1.Error.NotNow",
          "Load refused while edited in place")
    container.click_into_socket()
    xdotool("key", "ctrl+End")
    xdotool("type", "XYZ")
    container.take("DataChanged")
    check(True, "typed keys reach the text and give DataChanged")
    xdotool("key", "Escape")
    container.take("Deactivated")
    wait_for(lambda: not container.plugged, "plug-removed")
    check(container.call("IsDirty", None, "(b)") == (True,), "Esc ends in-place editing, dirty")
    edited = save(container)
    check(edited == source + b"XYZ", "Save gives the typed text")

    store_in_compound_file(work + "/doc.ole", edited)
    with olefile.OleFileIO(work + "/doc.ole") as ole:
        check(ole.openstream("Tarvex1/Contents").read() == edited,
              "the Contents stream reads back identical")

    container.call("DoVerb", GLib.Variant("(it)", (0, container.socket.get_id())))
    wait_for(lambda: container.plugged, "plug-added again")
    container.call("Deactivate")
    container.take("Deactivated")
    check(True, "in place again in the same socket, ended by Deactivate")

    second = Gtk.Socket()
    second.set_size_request(300, 200)
    container.window.get_child().pack_start(second, False, False, 0)
    second.show()
    pump(0.1)
    container.call("DoVerb", GLib.Variant("(it)", (0, second.get_id())))
    wait_for(lambda: second.get_plug_window() is not None, "plug-added in a second socket")
    second.destroy()
    container.take("Deactivated")
    check(container.refused("Load", ay(edited)) is None,
          "a socket destroyed under the object ends in-place editing")

    container.call("SetHostNames", GLib.Variant("(ss)", ("Test Container", "Object 1")))
    container.call("DoVerb", GLib.Variant("(it)", (1, 0)))
    found = subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--name",
                            "^Tarvex in Object 1"], capture_output=True, text=True, timeout=TIMEOUT)
    window = found.stdout.split()[0]
    check(bool(window), "own window titled Tarvex in Object 1")
    xdotool("windowfocus", "--sync", window)
    xdotool("key", "ctrl+End")
    xdotool("type", "Q")
    xdotool("key", "ctrl+s")
    container.take("SaveRequested")
    updated = save(container)
    check(updated == edited + b"Q", "Ctrl+S gives SaveRequested, Save gives the new text")
    store_in_compound_file(work + "/doc.ole", updated)
    with olefile.OleFileIO(work + "/doc.ole") as ole:
        check(ole.openstream("Tarvex1/Contents").read() == updated, "stored again, identical")

    child = subprocess.Popen([sys.executable, __file__, tarvex, keywords, "--child"],
                             stdout=subprocess.PIPE, text=True)
    server = int(child.stdout.readline())
    child.send_signal(signal.SIGKILL)
    child.wait()
    check(process_ended(server), "killing a container ends its server")

    container.call("Close")
    container.take("Closed")
    check(container.process.wait(timeout=TIMEOUT) == 0, "Close ends the server")
    shutil.rmtree(work, ignore_errors=True)
    print("all container checks passed")


if __name__ == "__main__":
    main()
