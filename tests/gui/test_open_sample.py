"""Started on a sample design: the main window shows the design's information, and
closing an unmodified design asks nothing and exits 0. Started on a file that is no
design: the message shows once the splash is gone, over the main window, and no start
dialog follows."""

import os
import re
import time

import guitest as g


def test(args):
    design = os.path.join(args.samples, "kvr_horizontal_ch34.bcst")
    with g.App(args.velmo, [design], splash_ms=300) as app:
        main = g.find_window("^Orvane Velmo$", pid=app.proc.pid)
        g.screenshot(args.out, "main_window")
        g.key(main, "alt+f", "x")
        code = app.wait_exit(timeout=40)
        if code != 0:
            raise g.GuiTestError("exit code %d" % code)

    bad = os.path.join(args.out, "not_a_design.bcst")
    with open(bad, "w") as f:
        f.write("no header here\n")
    with g.App(args.velmo, [bad], splash_ms=300) as app:
        # The main window and the message box over it (both carry the program's title).
        g.wait_for(lambda: len(titled(app, "^Orvane Velmo$")) == 2, what="message over the main window")
        if titled(app, "^Starting Velmo"):
            raise g.GuiTestError("the splash is still up under the message")
        g.screenshot(args.out, "open_bad_file")
        g.key(titled(app, "^Orvane Velmo$")[-1], "Return")
        g.wait_for(lambda: len(titled(app, "^Orvane Velmo$")) == 1, what="message closed")
        time.sleep(1.0)
        if titled(app, "^Velmo( — |$)"):
            raise g.GuiTestError("the start dialog opened after a named file failed")
        g.key(titled(app, "^Orvane Velmo$")[0], "alt+f", "x")
        code = app.wait_exit(timeout=40)
        if code != 0:
            raise g.GuiTestError("exit code %d" % code)


def titled(app, name):
    """The visible windows of the program whose title matches `name`."""
    out = g.xdotool("search", "--onlyvisible", "--pid", app.proc.pid, "--name", ".", check=False)
    # A window may go between the search and the question for its name.
    return [w for w in out.split()
            if re.search(name, g.xdotool("getwindowname", w, check=False).strip())]


if __name__ == "__main__":
    g.main(test)
