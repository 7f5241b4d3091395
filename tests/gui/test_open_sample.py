"""Started on a sample design: the main window shows the design's information, and
closing an unmodified design asks nothing and exits 0."""

import os

import guitest as g


def test(args):
    design = os.path.join(args.samples, "kvr_horizontal_ch34.bcst")
    with g.App(args.velmo, [design], splash_ms=300) as app:
        main = g.find_window("^Orvane Velmo$", pid=app.proc.pid)
        g.screenshot(args.out, "main_window")
        g.key(main, "alt+f", "x")
        code = app.wait_exit(timeout=10)
        if code != 0:
            raise g.GuiTestError("exit code %d" % code)


if __name__ == "__main__":
    g.main(test)
