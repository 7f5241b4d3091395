"""The splash at start-up: borderless, centred, then the main window after it."""

import os

import guitest as g


def test(args):
    design = os.path.join(args.samples, "varnok_ch9.bcst")
    with g.App(args.velmo, [design], splash_ms=4000) as app:
        splash = g.find_window("^Starting Velmo", pid=app.proc.pid)
        x, y, w, h = g.geometry(splash)
        g.screenshot(args.out, "splash")
        # Centred on the 1280 x 1024 screen.
        if abs(x + w / 2 - 640) > 20 or abs(y + h / 2 - 512) > 20:
            raise g.GuiTestError("splash at %d,%d size %dx%d is not centred" % (x, y, w, h))
        g.wait_window_gone(splash, timeout=20)
        main = g.find_window("^Orvane Velmo$", pid=app.proc.pid)
        g.key(main, "alt+f", "x")
        code = app.wait_exit(timeout=10)
        if code != 0:
            raise g.GuiTestError("exit code %d" % code)


if __name__ == "__main__":
    g.main(test)
