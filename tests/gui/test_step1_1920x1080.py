"""Both step 1 pages of a new design on a 1920 x 1080 screen (screenshots), then
Cancel and Exit."""

import guitest as g
import step1_walk as w


def test(args):
    for system in ("tv", "fm"):
        with g.App(args.velmo, splash_ms=300) as app:
            wizard = w.new_design(app, fm=(system == "fm"))
            g.screenshot(args.out, "step1_%s_1920x1080" % system)
            g.key(wizard, "Escape")
            question = g.find_window("Orvane Velmo$", pid=app.proc.pid)
            g.key(question, "y")
            g.wait_window_gone(wizard)
            main = g.find_window("^Orvane Velmo", pid=app.proc.pid)
            g.key(main, "alt+f", "x")
            code = app.wait_exit(timeout=10)
            if code != 0:
                raise g.GuiTestError("exit code %d" % code)


if __name__ == "__main__":
    g.main(test)
