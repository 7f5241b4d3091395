"""On a 1920 x 1080 screen: the main window on a sample design and the about box,
opened from its menu and closed with its OK button (Enter)."""

import os

import guitest as g


def test(args):
    design = os.path.join(args.samples, "miraldo_uhf_elliptical_top.bcst")
    with g.App(args.velmo, [design], splash_ms=300) as app:
        main = g.find_window("^Orvane Velmo$", pid=app.proc.pid)
        g.screenshot(args.out, "main_window_1920x1080")
        g.key(main, "alt+a", "a")
        about = g.find_window("^About Velmo", pid=app.proc.pid)
        g.screenshot(args.out, "about_1920x1080")
        g.key(about, "Return")
        g.wait_window_gone(about)
        g.key(main, "alt+f", "x")
        code = app.wait_exit(timeout=10)
        if code != 0:
            raise g.GuiTestError("exit code %d" % code)


if __name__ == "__main__":
    g.main(test)
