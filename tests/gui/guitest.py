"""Helpers for driving the real velmo program under Xvfb, as a person would.

A GUI test is a script tests/gui/test_*.py that ctest runs under xvfb-run with:

    --velmo PATH --cli PATH --samples DIR --out DIR

Every wait has a timeout; a failing test kills the program it started. Python 3
standard library only; the tools are xdotool (windows, keys, mouse) and imagemagick's
import (screenshots).
"""

import argparse
import os
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import time

DEFAULT_TIMEOUT = 45.0  # generous: the tests share a busy machine


class GuiTestError(Exception):
    pass


_apps = []  # the programs started by this test, for the failure report


def _check_alive(pid):
    """Raises at once when the program with this pid, started here, has ended."""
    for app in _apps:
        if str(app.proc.pid) == str(pid) and not app.alive():
            out, err = app.output()
            raise GuiTestError("velmo ended with exit code %d\nstdout: %s\nstderr: %s"
                               % (app.proc.returncode, out.strip()[-2000:], err.strip()[-2000:]))


def parse_args(argv=None):
    p = argparse.ArgumentParser()
    p.add_argument("--velmo", required=True)
    p.add_argument("--cli", default="")
    p.add_argument("--samples", required=True)
    p.add_argument("--out", required=True)
    args = p.parse_args(argv)
    os.makedirs(args.out, exist_ok=True)
    return args


def run(cmd, timeout=DEFAULT_TIMEOUT, check=True):
    """Runs a command; returns its stdout as text."""
    r = subprocess.run(cmd, stdout=subprocess.PIPE, stderr=subprocess.PIPE,
                       text=True, timeout=timeout)
    if check and r.returncode != 0:
        raise GuiTestError("%s failed (%d): %s" % (" ".join(cmd), r.returncode, r.stderr.strip()))
    return r.stdout


def xdotool(*args, timeout=DEFAULT_TIMEOUT, check=True):
    return run(["xdotool"] + [str(a) for a in args], timeout=timeout, check=check)


class App:
    """One running velmo process with a fresh settings folder of its own."""

    def __init__(self, velmo, args=(), env=None, config_home=None, splash_ms=None, cwd=None):
        self.own_config = config_home is None
        self.config_home = config_home or tempfile.mkdtemp(prefix="velmo-gui-config-")
        e = dict(os.environ)
        e["XDG_CONFIG_HOME"] = self.config_home
        e.setdefault("XDG_RUNTIME_DIR", tempfile.mkdtemp(prefix="velmo-gui-run-"))
        e.pop("QT_QPA_PLATFORM", None)  # the real X display of xvfb-run
        if splash_ms is not None:
            e["VELMO_SPLASH_MS"] = str(splash_ms)
        if env:
            e.update(env)
        self.proc = subprocess.Popen([velmo] + list(args), env=e, cwd=cwd,
                                     stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True)
        self.captured = None
        _apps.append(self)

    def wait_exit(self, timeout=DEFAULT_TIMEOUT):
        """The exit code, or GuiTestError (after killing it) when it does not exit in time."""
        try:
            self.proc.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            self.kill()
            raise GuiTestError("velmo did not exit within %.0f s" % timeout)
        return self.proc.returncode

    def output(self):
        """What the program wrote, once it has ended (kept for a second call)."""
        if self.captured is None:
            try:
                self.captured = self.proc.communicate(timeout=5)
            except (subprocess.TimeoutExpired, ValueError):
                self.captured = ("", "")
        return self.captured

    def kill(self):
        if self.proc.poll() is None:
            self.proc.send_signal(signal.SIGKILL)
            try:
                self.proc.wait(timeout=5)
            except subprocess.TimeoutExpired:
                pass

    def alive(self):
        return self.proc.poll() is None

    def close(self):
        self.kill()
        if self.own_config:
            shutil.rmtree(self.config_home, ignore_errors=True)

    def __enter__(self):
        return self

    def __exit__(self, exc_type, *exc):
        if exc_type is not None:
            _snapshot_screen()  # before the program is gone
        self.close()
        return False


def find_window(name, timeout=DEFAULT_TIMEOUT, pid=None, visible=True):
    """The id of a window whose title matches the regular expression `name`."""
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        if pid is not None:
            _check_alive(pid)
        cmd = ["search"]
        if visible:
            cmd.append("--onlyvisible")
        if pid is not None:
            cmd += ["--pid", pid]
        cmd += ["--name", name]
        out = xdotool(*cmd, check=False, timeout=5)
        # xdotool also matches other name properties: check the title itself.
        for window in reversed(out.split()):
            title = xdotool("getwindowname", window, check=False, timeout=5).strip()
            if re.search(name, title):
                return window
        time.sleep(0.1)
    raise GuiTestError("no window named %r within %.0f s" % (name, timeout))


def wait_window_gone(window, timeout=DEFAULT_TIMEOUT):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        out = xdotool("search", "--onlyvisible", "--name", ".", check=False, timeout=5)
        if window not in out.split():
            return
        time.sleep(0.1)
    raise GuiTestError("window %s still shown after %.0f s" % (window, timeout))


def window_name(window):
    return xdotool("getwindowname", window).strip()


def focus(window):
    xdotool("windowactivate", "--sync", window, check=False)
    xdotool("windowfocus", "--sync", window)
    time.sleep(0.2)


def key(window, *keys, delay_ms=60):
    """Sends key combinations ("ctrl+r", "Next", "Escape") to the focused window."""
    focus(window)
    xdotool("key", "--clearmodifiers", "--delay", delay_ms, *keys)
    time.sleep(0.3)


def type_text(window, text, delay_ms=20):
    focus(window)
    xdotool("type", "--clearmodifiers", "--delay", delay_ms, text)
    time.sleep(0.2)


def geometry(window):
    """(x, y, width, height) of a window on the screen."""
    out = xdotool("getwindowgeometry", "--shell", window)
    values = dict(line.split("=", 1) for line in out.split() if "=" in line)
    return int(values["X"]), int(values["Y"]), int(values["WIDTH"]), int(values["HEIGHT"])


def click(window, x, y, button=1):
    """Clicks at (x, y) relative to the window's top left corner."""
    focus(window)
    xdotool("mousemove", "--window", window, x, y)
    time.sleep(0.1)
    xdotool("click", button)
    time.sleep(0.3)


def screenshot(out_dir, name, window=None):
    """Writes out_dir/name.png of the whole screen (or of one window); returns its path."""
    path = os.path.join(out_dir, name + ".png")
    time.sleep(0.4)  # let the last paint land
    run(["import", "-window", window or "root", path], timeout=30)
    return path


def wait_for(predicate, timeout=DEFAULT_TIMEOUT, what="condition"):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        if predicate():
            return
        time.sleep(0.1)
    raise GuiTestError("%s not met within %.0f s" % (what, timeout))


_screen_report = []  # the windows and screenshot at the moment a test failed
_out_dir = None


def _snapshot_screen():
    if _screen_report or _out_dir is None:
        return
    try:
        name = os.path.splitext(os.path.basename(sys.argv[0]))[0]
        out = xdotool("search", "--onlyvisible", "--name", ".", check=False, timeout=5)
        for window in out.split():
            title = xdotool("getwindowname", window, check=False, timeout=5).strip()
            if title:
                _screen_report.append("window %s: %r" % (window, title))
        _screen_report.append("screenshot: %s" % screenshot(_out_dir, "FAILED_" + name))
    except Exception as e:  # noqa: BLE001 - the report must not hide the failure
        _screen_report.append("(no window list: %s)" % e)


def _report_failure():
    """The windows on screen, a screenshot and what the program wrote, for a failed run."""
    _snapshot_screen()
    for line in _screen_report:
        print(line, file=sys.stderr)
    for app in _apps:
        app.kill()
        out, err = app.output()
        if out.strip() or err.strip():
            print("velmo (exit %s) wrote:\n%s\n%s" % (app.proc.returncode, out.strip()[-2000:],
                                                     err.strip()[-2000:]), file=sys.stderr)


def main(test):
    """Runs test(args) and turns any failure into exit code 1 with a message."""
    global _out_dir
    args = parse_args()
    _out_dir = args.out
    try:
        test(args)
    except Exception as e:  # noqa: BLE001 - every failure ends the test with its message
        print("FAIL: %s: %s" % (type(e).__name__, e), file=sys.stderr)
        _report_failure()
        sys.exit(1)
    print("PASS")
