"""Starting without a design: the start dialog, New, the design information dialog, the
wizard (its page area empty until the pages join) cancelled, then closing asks nothing."""

import guitest as g


def test(args):
    with g.App(args.velmo, splash_ms=300) as app:
        start = g.find_window("^Velmo( — |$)", pid=app.proc.pid)
        g.screenshot(args.out, "start_dialog")
        g.key(start, "Return")  # "Create a new antenna design" is chosen at first

        info = g.find_window("^Design Information", pid=app.proc.pid)
        g.type_text(info, "Gui Test Broadcasting")
        # Company, address, location, specification no., the date's three sections,
        # designer, notes: TV next.
        g.key(info, *["Tab"] * 9)
        g.key(info, "space")
        g.screenshot(args.out, "design_info")
        g.key(info, "Return")
        g.wait_window_gone(info)

        wizard = g.find_window("^Velmo( — |$)", pid=app.proc.pid)
        g.screenshot(args.out, "wizard")
        g.key(wizard, "Escape")
        question = g.find_window("Orvane Velmo$", pid=app.proc.pid)
        g.key(question, "y")
        g.wait_window_gone(wizard)

        main = g.find_window("^Orvane Velmo$", pid=app.proc.pid)
        g.screenshot(args.out, "main_after_cancelled_wizard")
        g.key(main, "alt+f", "x")
        code = app.wait_exit(timeout=10)
        if code != 0:
            raise g.GuiTestError("exit code %d" % code)


if __name__ == "__main__":
    g.main(test)
