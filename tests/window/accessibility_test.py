#!/usr/bin/python3
"""The window as a screen reader meets it: the desktop's accessibility tree read and worked through
AT-SPI with pyatspi, the program's real window under a private X server, and what is drawn read
back pixel by pixel.

    tests/window/a11y_session.sh scripts/with-xvfb.sh tests/window/accessibility_test.py PROGRAM

Each test starts the program afresh in the one virtual X server; the session's accessibility bus is
started here.
"""
import ctypes
import os
import socket
import subprocess
import sys
import tempfile
import threading
import time
import unittest
import warnings

import gi

gi.require_version("Atspi", "2.0")
import pyatspi  # noqa: E402
from gi.repository import Atspi, GLib  # noqa: E402

PROGRAM = os.path.abspath(sys.argv.pop(1)) if len(sys.argv) > 1 else None
TITLE = "MERIDAX / Zelkor Engine \u2014 GUI Demo (O3DE LyShine Components)"
ACCENT = (80, 180, 255)
ORIGIN = (37, 23)  # where the window is put, so that screen and window coordinates differ

# The widgets as drawn (tests/data/first_screen_widgets.tsv): role, name, window rectangle, states
# beyond the common ones, value. Roles and states are compared as AT-SPI's numbers: their names
# differ between AT-SPI releases.
R, S = pyatspi, pyatspi
ROLES = {"button": R.ROLE_PUSH_BUTTON, "check_box": R.ROLE_CHECK_BOX, "radio_button": R.ROLE_RADIO_BUTTON,
         "slider": R.ROLE_SLIDER, "scroll_bar": R.ROLE_SCROLL_BAR, "drag_box": R.ROLE_PUSH_BUTTON,
         "text_field": R.ROLE_ENTRY}
STATES = {"slider": {S.STATE_HORIZONTAL}, "scroll_bar": {S.STATE_VERTICAL},
          "text_field": {S.STATE_EDITABLE, S.STATE_SINGLE_LINE}}


def first_screen_widgets():
    data = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "data", "first_screen_widgets.tsv")
    widgets = []
    with open(data, encoding="utf-8") as lines:
        for line in lines:
            if line.startswith("#") or not line.strip():
                continue
            kind, name, x, y, w, h, checked, value, text = line.rstrip("\n").split("\t")
            extra = set(STATES.get(kind, set()))
            if checked == "1":
                extra |= {S.STATE_CHECKED, S.STATE_SELECTED} if kind == "radio_button" else {S.STATE_CHECKED}
            widgets.append((ROLES[kind], name, (int(x), int(y), int(w), int(h)), extra,
                            None if value == "-" else (float(value), text)))
    return widgets


WIDGETS = first_screen_widgets()
COMMON = {S.STATE_ENABLED, S.STATE_SENSITIVE, S.STATE_SHOWING, S.STATE_VISIBLE, S.STATE_FOCUSABLE}

def run(*argv, **kw):
    return subprocess.run(argv, check=True, capture_output=True, text=True, **kw).stdout


class XServer:
    """The private Xvfb this test runs in (scripts/with-xvfb.sh), its pixels read through Xlib."""

    def __init__(self):
        self.name = os.environ["DISPLAY"]
        self.xlib = ctypes.cdll.LoadLibrary("libX11.so.6")
        self.xlib.XOpenDisplay.restype = ctypes.c_void_p
        self.xlib.XDefaultRootWindow.restype = ctypes.c_ulong
        self.xlib.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
        self.xlib.XGetImage.restype = ctypes.c_void_p
        self.xlib.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int,
                                        ctypes.c_uint, ctypes.c_uint, ctypes.c_ulong, ctypes.c_int]
        self.xlib.XGetPixel.restype = ctypes.c_ulong
        self.xlib.XGetPixel.argtypes = [ctypes.c_void_p, ctypes.c_int, ctypes.c_int]
        self.xlib.XDestroyImage.argtypes = [ctypes.c_void_p]
        self.xlib.XCloseDisplay.argtypes = [ctypes.c_void_p]
        for _ in range(100):
            self.display = self.xlib.XOpenDisplay(self.name.encode())
            if self.display:
                break
            time.sleep(0.05)

    def grab(self, x, y, w, h):
        """The screen's pixels in a rectangle, as rows of (r, g, b)."""
        root = self.xlib.XDefaultRootWindow(self.display)
        image = self.xlib.XGetImage(self.display, root, x, y, w, h, 0xFFFFFFFF, 2)  # ZPixmap
        rows = [[self.xlib.XGetPixel(image, i, j) for i in range(w)] for j in range(h)]
        self.xlib.XDestroyImage(image)
        return [[(p >> 16 & 255, p >> 8 & 255, p & 255) for p in row] for row in rows]

    def stop(self):
        self.xlib.XCloseDisplay(self.display)


def start_bus():
    """Starts the session's accessibility bus and says a screen reader is on, as a desktop does."""
    bus = ["gdbus", "call", "--session", "--dest", "org.a11y.Bus", "--object-path", "/org/a11y/bus"]
    run(*bus, "--method", "org.a11y.Bus.GetAddress")
    for prop in ("IsEnabled", "ScreenReaderEnabled"):
        run(*bus, "--method", "org.freedesktop.DBus.Properties.Set", "org.a11y.Status", prop, "<true>")


def pump(seconds):
    """Lets the program draw, and delivers the events the listener asked for meanwhile."""
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        while GLib.MainContext.default().iteration(False):
            pass
        time.sleep(0.02)


def value_text(o):
    return Atspi.Value.get_text(o)


class Demo:
    """The program on the private display, and its application in the desktop's tree."""

    def __init__(self, x, env=None):
        self.x = x
        self.env = dict(os.environ, DISPLAY=x.name)
        for name, value in (env or {}).items():  # None unsets
            self.env.pop(name, None) if value is None else self.env.update({name: value})
        self.proc = subprocess.Popen([PROGRAM], env=self.env, stdout=subprocess.PIPE,
                                     stderr=subprocess.PIPE, text=True)
        out = run("xdotool", "search", "--sync", "--onlyvisible", "--name", "MERIDAX", env=self.env)
        self.window = out.split()[0]
        run("xdotool", "windowmove", "--sync", self.window, *map(str, ORIGIN), env=self.env)
        run("xdotool", "windowfocus", "--sync", self.window, env=self.env)
        time.sleep(0.3)

    def app(self, timeout=10):
        end = time.monotonic() + timeout
        while time.monotonic() < end:
            for app in pyatspi.Registry.getDesktop(0):
                if app is not None and app.get_process_id() == self.proc.pid:
                    return app
            time.sleep(0.1)
        return None

    def frame(self):
        return self.app()[0]

    def widgets(self):
        """The frame's widgets by name, in tree order (the radio buttons within their group)."""
        roles = {w[0] for w in WIDGETS}
        return {o.name: o for o in walk(self.frame()) if o.getRole() in roles}

    def pixel(self, x, y):
        return self.x.grab(ORIGIN[0] + x, ORIGIN[1] + y, 1, 1)[0][0]

    def ink(self, x, y, w, h):
        """The light text pixels in a window rectangle, to tell drawn text apart."""
        return tuple(r > 100 for row in self.x.grab(ORIGIN[0] + x, ORIGIN[1] + y, w, h) for r, _, _ in row)

    def xdotool(self, *args):
        run("xdotool", *args, env=self.env)

    def soon(self, cond, timeout=3):
        end = time.monotonic() + timeout
        while not cond() and time.monotonic() < end:
            pump(0.05)
        return cond()

    def stop(self):
        self.proc.kill()
        out, err = self.proc.communicate()
        return out + err


def walk(o):
    """o and everything under it, in tree order."""
    yield o
    for child in o:
        yield from walk(child)


def states(o):
    return set(o.getState().getStates())


class Tree(unittest.TestCase):
    def setUp(self):
        self.x = XServer()
        self.demo = Demo(self.x)

    def tearDown(self):
        self.demo.stop()
        self.x.stop()

    def test_the_tree_holds_the_window_and_its_widgets_as_drawn(self):
        app = self.demo.app()
        self.assertIsNotNone(app, "the program is in the desktop's tree")
        self.assertEqual(app.name, os.path.basename(PROGRAM))
        self.assertEqual([(c.getRole(), c.name) for c in app], [(pyatspi.ROLE_FRAME, TITLE)])
        self.assertEqual(tuple(app[0].queryComponent().getExtents(pyatspi.DESKTOP_COORDS)), ORIGIN + (1280, 720))
        widgets = self.demo.widgets()
        self.assertEqual(list(widgets), [w[1] for w in WIDGETS], "13 widgets, in screen order")
        for role, name, rect, extra, value in WIDGETS:
            o = widgets[name]
            seen = (o.getRole(), states(o))
            self.assertEqual(seen, (role, COMMON | extra), name)
            box = o.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
            self.assertEqual((box.x - ORIGIN[0], box.y - ORIGIN[1], box.width, box.height), rect, name)
            if value:
                v = o.queryValue()
                self.assertEqual((v.currentValue, value_text(o), v.minimumValue, v.maximumValue),
                                 value + (0.0, 1.0), name)
        self.assertEqual(widgets["Name:"].queryText().getText(0, -1), "Zelkor Engine")
        self.assertEqual(widgets["Click Me"].description, "Clicks: 0")
        texts = [c.name for c in app[0] if c.getRole() in (pyatspi.ROLE_HEADING, pyatspi.ROLE_LABEL)]
        self.assertIn("Interactables", texts)
        self.assertIn("Checkboxes:", texts)

    def test_the_drawn_rectangles_lie_under_the_extents(self):
        # Each widget's edge: inside its extents the drawn widget, a pixel outside its panel's
        # background, on the middle of its top and left edges (the sliders' tracks are thinner
        # than their hit boxes, so theirs are the handle's own row).
        widgets = self.demo.widgets()
        for name in ("Click Me", "Projective Geometry", "DRAG", "Name:"):
            box = widgets[name].queryComponent().getExtents(pyatspi.WINDOW_COORDS)
            mid_y = box.y + box.height // 2
            inside = self.demo.pixel(box.x, mid_y)
            outside = self.demo.pixel(box.x - 2, mid_y)
            self.assertNotEqual(inside, outside, f"{name}: its left edge is drawn at {box.x}")
        # A text's extents hold its drawn letters: colours the rows just above them do not hold.
        for node in walk(self.demo.frame()):
            if node.name not in ("Interactables", "Render Mode:", "[Zelkor] Engine initialized"):
                continue
            box = node.queryComponent().getExtents(pyatspi.WINDOW_COORDS)
            grab = lambda y, h: {p for row in self.x.grab(ORIGIN[0] + box.x, ORIGIN[1] + y, box.width, h)
                                 for p in row}
            self.assertTrue(grab(box.y, box.height) - grab(box.y - 3, 2), f"{node.name} at {box}")

    def test_actions_work_the_widgets_as_a_click_does(self):
        widgets = self.demo.widgets()
        count = self.demo.ink(30, 112, 100, 18)
        self.assertTrue(widgets["Click Me"].queryAction().doAction(0))
        self.assertTrue(self.demo.soon(lambda: self.demo.ink(30, 112, 100, 18) != count), "the count drawn")
        self.assertEqual(widgets["Click Me"].description, "Clicks: 1")

        box = widgets["Projective Geometry"]
        self.assertEqual(box.queryAction().getName(0), "click")
        box.queryAction().doAction(0)
        self.assertTrue(self.demo.soon(lambda: self.demo.pixel(45, 146) == ACCENT), "ticked")
        self.assertIn(pyatspi.STATE_CHECKED, states(box))

        solid = widgets["Solid"]
        self.assertEqual(solid.queryAction().getName(0), "select")
        solid.queryAction().doAction(0)
        self.assertTrue(self.demo.soon(lambda: self.demo.pixel(41, 316) == ACCENT), "the dot moved")
        self.assertIn(pyatspi.STATE_CHECKED, states(solid))
        self.assertNotIn(pyatspi.STATE_CHECKED, states(widgets["Wireframe"]))

        strip = next(c for c in self.demo.frame() if c.getRole() == pyatspi.ROLE_IMAGE)
        self.assertEqual(strip.queryAction().getName(0), "play or pause")
        strip.queryAction().doAction(0)
        pump(0.3)
        bars = lambda: self.demo.x.grab(ORIGIN[0] + 20, ORIGIN[1] + 380, 160, 120)
        still = bars()
        pump(0.3)
        self.assertEqual(bars(), still, "the strip paused")

    def test_values_and_text_set_go_in_as_a_hand_would_give_them(self):
        widgets = self.demo.widgets()
        speed = widgets["Rotation Speed"]
        self.assertNotEqual(self.demo.pixel(440, 72), ACCENT)
        speed.queryValue().currentValue = 0.9
        self.assertTrue(self.demo.soon(lambda: value_text(speed) == "0.90"))
        self.assertEqual(self.demo.pixel(440, 72), ACCENT, "the handle drawn at 0.90")
        speed.queryValue().currentValue = 7.0  # beyond the track: its end, as a hand gets
        self.assertTrue(self.demo.soon(lambda: value_text(speed) == "1.00"))

        field = widgets["Name:"]
        before = self.demo.ink(762, 76, 236, 24)
        wanted = "h\u00e9llo " + "x" * 100
        field.queryEditableText().setTextContents(wanted)
        kept = ("hllo " + "x" * 100)[:63]
        # Each edit is typed as a hand types it, a Backspace every two frames: over a hundred
        # frames, which a loaded machine drawing in software may take several seconds for.
        self.assertTrue(self.demo.soon(lambda: field.queryText().getText(0, -1) == kept, 15),
                        field.queryText().getText(0, -1))
        self.assertTrue(self.demo.ink(762, 76, 236, 24) != before, "the new text drawn")
        self.assertIn(pyatspi.STATE_FOCUSED, states(field))
        # Inserted before the start: retyped from there, and cut at 63 again.
        field.queryEditableText().insertText(0, "ab", 2)
        self.assertTrue(self.demo.soon(lambda: field.queryText().getText(0, -1) == "abhllo " + "x" * 56, 15))
        field.queryEditableText().deleteText(0, 7)
        self.assertTrue(self.demo.soon(lambda: field.queryText().getText(0, -1) == "x" * 56, 15))

    def test_listeners_hear_each_change_a_hand_makes(self):
        kinds = ("object:state-changed:checked", "object:state-changed:focused",
                 "object:state-changed:pressed", "object:property-change:accessible-value",
                 "object:property-change:accessible-description", "object:text-changed:insert",
                 "object:text-changed:delete")
        heard = []

        def listener(e):
            words = e.any_data if isinstance(e.any_data, str) else ""
            heard.append((e.type, e.source.name, e.detail1, e.detail2, words))

        for kind in kinds:
            pyatspi.Registry.registerEventListener(listener, kind)
        self.demo.widgets()  # a screen reader looks first
        window = self.demo.window
        steps = [
            (("mousemove", "--window", window, "41", "141", "click", "1"),
             [("object:state-changed:checked", "Projective Geometry", 1, 0),
              ("object:state-changed:focused", "Projective Geometry", 1, 0)]),
            (("mousemove", "--window", window, "300", "80", "click", "1"),
             [("object:property-change:accessible-value", "Rotation Speed", 0, 0),
              ("object:state-changed:focused", "Rotation Speed", 1, 0)]),
            (("mousemove", "--window", window, "100", "90", "click", "1"),
             [("object:property-change:accessible-description", "Click Me", 0, 0)]),
            (("mousemove", "--window", window, "625", "325", "mousedown", "1", "sleep", "0.3",
              "mouseup", "1"),
             [("object:state-changed:pressed", "DRAG", 1, 0), ("object:state-changed:pressed", "DRAG", 0, 0)]),
            (("mousemove", "--window", window, "780", "85", "click", "1"),
             [("object:state-changed:focused", "Name:", 1, 0)]),
            (("type", "--window", window, "X"), [("object:text-changed:insert", "Name:", 13, 1, "X")]),
            (("key", "--window", window, "BackSpace"), [("object:text-changed:delete", "Name:", 13, 1, "X")]),
            # The keyboard's focus is the reader's: Tab leaves the field for the strip, then
            # comes round to the first stop.
            (("key", "--window", window, "Tab", "Tab"),
             [("object:state-changed:focused", "Click Me", 1, 0)]),
            (("key", "--window", window, "Down"),
             [("object:state-changed:focused", "Projective Geometry", 1, 0)]),
        ]
        for action, expected in steps:
            heard.clear()
            self.demo.xdotool(*action)
            for event in expected:
                self.assertTrue(self.demo.soon(lambda: any(h[:len(event)] == event for h in heard)),
                                f"{event} after {action[-2:]}: heard {heard}")
        # And the keyboard follows the reader: Tab goes on from the widget the reader focused.
        heard.clear()
        self.assertTrue(self.demo.widgets()["Exposure"].queryComponent().grabFocus())
        pump(0.3)
        self.demo.xdotool("key", "--window", window, "Tab")
        event = ("object:state-changed:focused", "Scroll", 1, 0)
        self.assertTrue(self.demo.soon(lambda: any(h[:4] == event for h in heard)), f"heard {heard}")
        for kind in kinds:
            pyatspi.Registry.deregisterEventListener(listener, kind)


def a11y_bus():
    bus = ["gdbus", "call", "--session", "--dest", "org.a11y.Bus", "--object-path", "/org/a11y/bus"]
    return run(*bus, "--method", "org.a11y.Bus.GetAddress").strip()[2:-3]  # ('unix:...',)


class Hostile(unittest.TestCase):
    """A careless or hostile client, with every GLib warning fatal to the program."""

    def setUp(self):
        self.x = XServer()
        self.demo = Demo(self.x, {"G_DEBUG": "fatal-warnings"})

    def tearDown(self):
        self.demo.stop()
        self.x.stop()

    def call(self, o, method, *args):
        """A raw D-Bus call on an object, as any client can make it; its reply or its error."""
        reply = subprocess.run(["gdbus", "call", "--address", a11y_bus(), "--dest", o.app.bus_name,
                                "--object-path", o.path, "--method", method, "--", *map(str, args)],
                               capture_output=True, text=True, timeout=10)
        return reply.stdout.strip() or reply.stderr.strip()

    def test_odd_calls_are_answered_and_the_program_lives(self):
        widgets = self.demo.widgets()
        field = widgets["Name:"]
        text = "org.a11y.atspi.Text."
        for method, args, reply in ((text + "GetStringAtOffset", (-1, 99), "('Zelkor Engine', 0, 13)"),
                                    (text + "GetStringAtOffset", (1000, 2), "('Zelkor Engine', 0, 13)"),
                                    (text + "GetTextAtOffset", (-7, 99), "('Zelkor Engine', 0, 13)"),
                                    (text + "GetCharacterAtOffset", (-5,), "(0,)")):
            self.assertEqual(self.call(field, method, *args), reply, f"{method}{args}")
        image = next(c for c in self.demo.frame() if c.getRole() == pyatspi.ROLE_IMAGE)
        self.assertTrue(image.queryComponent().grabFocus(), "the animation strip is a stop")
        # Every node is found where it is drawn, the radio buttons within their group.
        frame = self.demo.frame()
        for name in ("Solid", "Instanced", "Render Mode:", "Log Output:", "Zelkor Math Modules"):
            found = None
            for node in walk(frame):
                if node.name == name:
                    found = node
            self.assertIsNotNone(found, name)
            x, y, w, h = found.queryComponent().getExtents(pyatspi.WINDOW_COORDS)
            self.assertGreater(w * h, 0, name)
            hit = frame
            while hit is not None and hit.name != name:
                hit = hit.queryComponent().getAccessibleAtPoint(x + w // 2, y + h // 2, pyatspi.WINDOW_COORDS)
            self.assertIsNotNone(hit, f"{name} found at its middle")
        self.assertIsNone(self.demo.proc.poll(), "the program lives")


class SilentBus:
    """A bus that accepts every connection and never answers, as a stopped or hung dbus-daemon."""

    def __init__(self):
        self.folder = tempfile.mkdtemp()
        self.address = f"unix:path={self.folder}/bus"
        self.socket = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
        self.socket.bind(f"{self.folder}/bus")
        self.socket.listen(16)
        self.held = []
        threading.Thread(target=self.hold, daemon=True).start()

    def hold(self):
        while True:
            self.held.append(self.socket.accept()[0])


class Without(unittest.TestCase):
    def test_no_bridge_wanted_no_bus_or_a_silent_one_and_the_program_runs_as_before(self):
        silent = SilentBus()
        for what, env in (("NO_AT_BRIDGE=1", {"NO_AT_BRIDGE": "1"}),
                          ("no session bus", {"DBUS_SESSION_BUS_ADDRESS": None}),
                          ("a silent accessibility bus", {"AT_SPI_BUS_ADDRESS": silent.address}),
                          ("a silent session bus", {"DBUS_SESSION_BUS_ADDRESS": silent.address,
                                                    "AT_SPI_BUS_ADDRESS": None})):
            x = XServer()
            demo = Demo(x, env)
            self.assertTrue(demo.soon(lambda: demo.pixel(45, 146) != ACCENT), what)
            demo.xdotool("mousemove", "--window", demo.window, "41", "141", "click", "1")
            self.assertTrue(demo.soon(lambda: demo.pixel(45, 146) == ACCENT), f"{what}: a click ticks")
            self.assertIsNone(demo.app(timeout=1), f"{what}: not in the tree")
            demo.xdotool("keydown", "Escape", "sleep", "0.2", "keyup", "Escape")
            out, err = demo.proc.communicate(timeout=10)
            self.assertEqual(demo.proc.returncode, 0, what)
            self.assertEqual([line for line in (out + err).splitlines() if not line.startswith("INFO:")], [], what)
            x.stop()


if __name__ == "__main__":
    warnings.simplefilter("ignore", DeprecationWarning)  # pyatspi's own calls into Atspi
    start_bus()
    unittest.main(verbosity=2, warnings=False)
