"""An FM design's View menu: "Check FCC tabulation…" shows the verdict and the
tabulation in a message box that fits an 800 x 600 screen; Return closes it."""

import os

import guitest as g


def other_window(pid, title, exclude):
    """A visible window of the process with the title, other than `exclude`."""
    def found():
        out = g.xdotool("search", "--onlyvisible", "--pid", pid, "--name", title, check=False, timeout=5)
        return [w for w in out.split() if w != exclude]
    g.wait_for(lambda: bool(found()), what="a second window named %r" % title)
    return found()[-1]


def test(args):
    design = os.path.join(args.samples, "rnvx_circular_fm.bcst")
    with g.App(args.velmo, [design], splash_ms=300) as app:
        main = g.find_window("^Orvane Velmo$", pid=app.proc.pid)
        g.key(main, "alt+v", "Down", "Return")  # Report, then Check FCC tabulation…
        box = other_window(app.proc.pid, "Orvane Velmo", main)
        g.screenshot(args.out, "fcc_check")
        _, _, width, height = g.geometry(box)
        if width > 800 or height > 600:
            raise g.GuiTestError("the FCC check box is %d x %d, larger than 800 x 600" % (width, height))
        g.key(box, "Return")
        g.wait_window_gone(box)
        g.key(main, "alt+f", "x")
        code = app.wait_exit(timeout=10)
        if code != 0:
            raise g.GuiTestError("exit code %d" % code)


if __name__ == "__main__":
    g.main(test)
