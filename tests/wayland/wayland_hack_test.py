#!/usr/bin/env python3
"""verdane on a headless sway, driven as a user would.

Run inside scripts/with-sway.sh:
    wayland_hack_test.py VERDANE VIRTUAL_POINTER GROUP
GROUP is one of fullscreen, close, root, faults (faults kills the
compositor, so it runs last in its sway), and no_layer_shell, which starts
a headless Weston of its own (skipped without weston). Exits 77 (skipped)
when grim, wtype, swaybg or swayidle is missing.
"""

import os
import shutil
import signal
import socket
import subprocess
import sys
import tempfile
import time
import unittest

VERDANE = ""
POINTER = ""
BACKGROUND = (0x20, 0x40, 0x80)  # the desktop's colour, as swaybg paints it
BACKGROUND_HEX = "#204080"


def screenshot():
    """The output as (width, height, bytes of RGB triples), taken by grim."""
    with tempfile.NamedTemporaryFile(suffix=".ppm") as shot:
        subprocess.run(["grim", "-t", "ppm", shot.name], check=True, timeout=10)
        data = open(shot.name, "rb").read()
    magic, size, depth, pixels = data.split(b"\n", 3)
    assert magic == b"P6" and depth == b"255", "grim wrote no binary PPM"
    width, height = map(int, size.split())
    return width, height, pixels


def colour_counts(pixels):
    """How many pixels are the background, and how many are green (a branch)."""
    background = bytes(BACKGROUND)
    on_background = green = 0
    for i in range(0, len(pixels), 3):
        p = pixels[i:i + 3]
        if p == background:
            on_background += 1
        elif p[1] > p[0] and p[1] > p[2]:
            green += 1
    return on_background, green


def wait_until(condition, seconds):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        if condition():
            return True
        time.sleep(0.1)
    return condition()


class Verdane:
    """A verdane process whose standard error (with the client's Wayland
    debug lines) goes to a file the test reads."""

    def __init__(self, *args, env=None):
        self.log = tempfile.NamedTemporaryFile(mode="w+", suffix=".log")
        environment = dict(os.environ, WAYLAND_DEBUG="client", **(env or {}))
        self.process = subprocess.Popen([VERDANE, *args], stderr=self.log, env=environment)

    def log_text(self):
        # Read through a file of its own: the process shares the offset of
        # the one it writes to.
        with open(self.log.name) as log:
            return log.read()

    def error_lines(self):
        """The lines that are not the Wayland debug trace."""
        return [line for line in self.log_text().splitlines() if not line.startswith("[")]

    def pointer_entered(self):
        return ".enter(" in "".join(line for line in self.log_text().splitlines() if "wl_pointer@" in line)

    def keyboard_entered(self):
        return ".enter(" in "".join(line for line in self.log_text().splitlines() if "wl_keyboard@" in line)

    def shown(self):
        """The first buffer was committed and the compositor called back."""
        return "wl_callback@" in self.log_text() and ".done(" in self.log_text()

    def wait(self, seconds):
        try:
            return self.process.wait(timeout=seconds)
        except subprocess.TimeoutExpired:
            return None

    def alive(self):
        return self.process.poll() is None

    def close(self):
        if self.alive():
            self.process.terminate()
            self.process.wait(timeout=10)
        self.log.close()


class Pointer:
    """The tests' virtual pointer, plugged into the seat while it lives."""

    def __init__(self):
        self.process = subprocess.Popen([POINTER], stdin=subprocess.PIPE, stdout=subprocess.PIPE, text=True)
        if self.process.stdout.readline().strip() != "ready":
            raise unittest.SkipTest("the compositor offers no virtual pointer")

    def send(self, command):
        self.process.stdin.write(command + "\n")
        self.process.stdin.flush()
        assert self.process.stdout.readline().strip() == "ok", command

    def close(self):
        self.process.stdin.close()
        self.process.wait(timeout=10)


def wtype(*args):
    # A plain `wtype KEY` ends before the compositor has read the press;
    # -s 300 keeps the virtual keyboard long enough.
    subprocess.run(["wtype", "-s", "300", *args], check=True, timeout=20)


class Desktop(unittest.TestCase):
    """A swaybg background of one exact colour for every test."""

    def setUp(self):
        self.cleanups = []
        self.swaybg = subprocess.Popen(["swaybg", "-c", BACKGROUND_HEX], stderr=subprocess.DEVNULL)
        self.addCleanup(self.stop, self.swaybg)
        self.assertTrue(wait_until(lambda: colour_counts(screenshot()[2])[0] > 0, 10), "swaybg shows nothing")

    @staticmethod
    def stop(process):
        if process.poll() is None:
            process.terminate()
            process.wait(timeout=10)

    def start(self, *args, env=None):
        verdane = Verdane(*args, env=env)
        self.addCleanup(verdane.close)
        return verdane

    def start_shown(self, *args, env=None):
        verdane = self.start(*args, env=env)
        self.assertTrue(wait_until(verdane.shown, 10), "verdane never showed:\n" + "\n".join(verdane.error_lines()))
        return verdane

    def plug_pointer(self):
        pointer = Pointer()
        self.addCleanup(pointer.close)
        return pointer

    def enter(self, verdane, pointer):
        """Makes sure the pointer has entered verdane's surface: an enter
        the compositor sent when the surface appeared, else the one a
        first movement brings. Neither closes the window."""
        if not wait_until(verdane.pointer_entered, 1):
            pointer.send("move 1 0")
            self.assertTrue(wait_until(verdane.pointer_entered, 5), "no pointer enter")
        self.assertIsNone(verdane.wait(1), "the pointer's entering closed the window")


class FullScreen(Desktop):
    def test_grows_over_the_captured_desktop(self):
        verdane = self.start_shown("-fullscreen", "--output", "HEADLESS-1", "--growth-rate", "100", "--plant-size", "60")
        self.assertTrue(wait_until(lambda: colour_counts(screenshot()[2])[1] > 500, 10), "nothing grew")
        width, height, pixels = screenshot()
        on_background, green = colour_counts(pixels)
        # The desktop's colour stays where nothing grew: the window shows
        # the copy of the output, not black.
        self.assertGreater(on_background, width * height // 2)
        self.assertGreater(green, 500)
        self.assertTrue(verdane.alive())

    def test_an_unknown_output_is_one_line_and_status_2(self):
        verdane = self.start("-fullscreen", "--output", "NOWHERE-9")
        self.assertEqual(verdane.wait(10), 2)
        self.assertEqual(verdane.error_lines(), ["verdane: there is no output named 'NOWHERE-9'"])

    def test_swayidle_starts_it_on_idle_and_a_key_ends_it(self):
        with tempfile.TemporaryDirectory() as folder:
            status = os.path.join(folder, "status")
            command = f"{VERDANE} -fullscreen --growth-rate 100; echo $? > {status}"
            swayidle = subprocess.Popen(["swayidle", "timeout", "1", command], stderr=subprocess.DEVNULL)
            self.addCleanup(self.stop, swayidle)
            self.assertTrue(wait_until(lambda: colour_counts(screenshot()[2])[1] > 200, 15), "swayidle started nothing")
            wtype("x")
            self.assertTrue(wait_until(lambda: os.path.exists(status) and open(status).read().strip(), 10),
                            "the key did not end it")
            self.assertEqual(open(status).read().strip(), "0")


class CloseRules(Desktop):
    def test_the_pointer_entering_records_and_moving_away_ends_it(self):
        pointer = self.plug_pointer()
        verdane = self.start_shown("-fullscreen")
        self.enter(verdane, pointer)
        # The pointer is hidden over the window: no cursor surface.
        cursors = [line for line in verdane.log_text().splitlines() if ".set_cursor(" in line]
        self.assertTrue(cursors and all(", nil," in line for line in cursors), cursors)
        pointer.send("move 1 0")
        self.assertEqual(verdane.wait(5), 0)

    def test_a_click_ends_it(self):
        pointer = self.plug_pointer()
        verdane = self.start_shown("-fullscreen")
        self.enter(verdane, pointer)
        pointer.send("button")
        self.assertEqual(verdane.wait(5), 0)

    def test_the_wheel_does_not_end_it_but_a_key_does(self):
        pointer = self.plug_pointer()
        verdane = self.start_shown("-fullscreen")
        self.enter(verdane, pointer)
        pointer.send("wheel")
        self.assertIsNone(verdane.wait(1), "the wheel ended it")
        wtype("x")
        self.assertEqual(verdane.wait(5), 0)

    def test_a_key_held_at_enter_and_its_release_do_not_end_it(self):
        # wtype holds X down from before the window shows until well
        # after; the window's keyboard enters with it held.
        holder = subprocess.Popen(["wtype", "-P", "x", "-s", "3000", "-p", "x"])
        self.addCleanup(self.stop, holder)
        time.sleep(0.5)
        verdane = self.start_shown("-fullscreen")
        self.assertTrue(wait_until(verdane.keyboard_entered, 5), "no keyboard enter")
        holder.wait(timeout=10)
        self.assertIsNone(verdane.wait(1), "a key held at enter, or its release, ended it")
        wtype("y")
        self.assertEqual(verdane.wait(5), 0)


class Root(Desktop):
    def test_grows_over_the_wallpaper_under_a_window_and_ignores_input(self):
        pointer = self.plug_pointer()
        root = self.start_shown("-root", "--growth-rate", "100")
        # Over swaybg's picture: the canvas shows (black, with branches).
        self.assertTrue(wait_until(lambda: colour_counts(screenshot()[2])[1] > 200, 10), "-root shows nothing")
        self.assertEqual(colour_counts(screenshot()[2])[0], 0, "swaybg's picture shows over -root")
        # A window over it whose picture stays (a tick every ten seconds),
        # which the root's growth does not reach.
        window = self.start_shown("-window", "-delay", "10000000")
        time.sleep(1)
        before = screenshot()[2]
        time.sleep(1)
        self.assertEqual(screenshot()[2], before, "-root draws over the window")
        # Input goes to the window, or nowhere, never to -root.
        pointer.send("move 5 5")
        pointer.send("button")
        wtype("x")
        self.assertIsNone(root.wait(1), "input ended -root")
        window.close()
        root.process.terminate()
        self.assertEqual(root.wait(5), -signal.SIGTERM)

    def test_a_socket_handed_over_is_used(self):
        # As swaylock-plugin starts it: a connected socket in
        # $WAYLAND_SOCKET, and no $WAYLAND_DISPLAY.
        compositor = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
        compositor.connect(os.path.join(os.environ["XDG_RUNTIME_DIR"], os.environ["WAYLAND_DISPLAY"]))
        environment = {k: v for k, v in os.environ.items() if k != "WAYLAND_DISPLAY"}
        environment["WAYLAND_SOCKET"] = str(compositor.fileno())
        log = tempfile.NamedTemporaryFile(mode="w+", suffix=".log")
        self.addCleanup(log.close)
        verdane = subprocess.Popen([VERDANE, "-root", "--growth-rate", "100"], env=environment, stderr=log,
                                   pass_fds=[compositor.fileno()])
        compositor.close()
        self.addCleanup(self.stop, verdane)
        self.assertTrue(wait_until(lambda: colour_counts(screenshot()[2])[1] > 200, 10), "-root shows nothing")
        self.assertIsNone(verdane.poll())

    def test_swaylock_plugin_names_the_output(self):
        verdane = self.start("-root", env={"SWAYLOCK_PLUGIN_OUTPUT_NAME": "NOWHERE-9"})
        self.assertEqual(verdane.wait(10), 2)
        self.assertEqual(verdane.error_lines(), ["verdane: there is no output named 'NOWHERE-9'"])
        self.start_shown("-root", env={"SWAYLOCK_PLUGIN_OUTPUT_NAME": "HEADLESS-1"})


class Faults(unittest.TestCase):
    def test_the_compositor_going_away_is_status_3(self):
        verdane = Verdane("-root")
        self.addCleanup(verdane.close)
        self.assertTrue(wait_until(verdane.shown, 10), "verdane never showed")
        os.kill(int(os.environ["VERDANE_SWAY_PID"]), signal.SIGTERM)
        self.assertEqual(verdane.wait(10), 3)
        lines = verdane.error_lines()
        self.assertEqual(len(lines), 1, lines)
        self.assertTrue(lines[0].startswith("verdane: lost the connection to the Wayland compositor"), lines)


class NoLayerShell(unittest.TestCase):
    """On a headless Weston of its own, which offers neither the layer shell
    nor screen copy, as GNOME's and KDE's compositors may not."""

    def setUp(self):
        if shutil.which("weston") is None:
            raise unittest.SkipTest("weston is not installed")
        runtime = tempfile.TemporaryDirectory()
        self.addCleanup(runtime.cleanup)
        os.chmod(runtime.name, 0o700)
        self.environment = dict(os.environ, XDG_RUNTIME_DIR=runtime.name, WAYLAND_DISPLAY="verdane-weston")
        self.environment.pop("DISPLAY", None)
        weston = subprocess.Popen(["weston", "--backend=headless-backend.so", "--socket=verdane-weston",
                                   "--width=800", "--height=600", "--idle-time=0"],
                                  env=self.environment, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.addCleanup(Desktop.stop, weston)
        socket_path = os.path.join(runtime.name, "verdane-weston")
        self.assertTrue(wait_until(lambda: os.path.exists(socket_path), 10), "weston did not start")

    def test_root_needs_the_layer_shell(self):
        verdane = Verdane("-root", env=self.environment)
        self.addCleanup(verdane.close)
        self.assertEqual(verdane.wait(10), 2)
        self.assertEqual(verdane.error_lines(),
                         ["verdane: the Wayland compositor offers no zwlr_layer_shell_v1, which -root needs"])

    def test_fullscreen_is_a_full_screen_window_there(self):
        verdane = Verdane("-fullscreen", env=self.environment)
        self.addCleanup(verdane.close)
        self.assertTrue(wait_until(verdane.shown, 10), "verdane never showed:\n" + "\n".join(verdane.error_lines()))
        log = verdane.log_text()
        self.assertIn("xdg_toplevel@", log)
        self.assertIn(".set_fullscreen(", log)
        self.assertIn(".attach(wl_buffer@", log)
        self.assertTrue(verdane.alive())


GROUPS = {"fullscreen": FullScreen, "close": CloseRules, "root": Root, "faults": Faults,
          "no_layer_shell": NoLayerShell}

if __name__ == "__main__":
    VERDANE, POINTER, group = sys.argv[1:4]
    for tool in ("grim", "wtype", "swaybg", "swayidle"):
        if shutil.which(tool) is None:
            print(f"{tool} is not installed: skipped", file=sys.stderr)
            sys.exit(77)
    suite = unittest.TestLoader().loadTestsFromTestCase(GROUPS[group])
    result = unittest.TextTestRunner(verbosity=2).run(suite)
    sys.exit(0 if result.wasSuccessful() else 1)
