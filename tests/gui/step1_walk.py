"""Shared walk of the step 1 GUI tests: New with the design information dialog, the
step 1 page driven with keys and clicks, Next through the later steps, Finish, and
Save; the saved design file tells what step 1 committed."""

import os
import re

import guitest as g


def new_design(app, fm):
    start = g.find_window("^Velmo( — |$)", pid=app.proc.pid)
    g.key(start, "Return")  # "Create a new antenna design"
    info = g.find_window("^Design Information", pid=app.proc.pid)
    g.type_text(info, "Step One Broadcasting")
    # Company, address, location, specification no., the date's three sections,
    # designer, notes, then the system type buttons: TV, then FM.
    g.key(info, *["Tab"] * (10 if fm else 9))
    g.key(info, "space")
    g.key(info, "Return")
    g.wait_window_gone(info)
    return g.find_window("^Velmo( — |$)", pid=app.proc.pid)


def screenshots_of_both_pages(args, size):
    """Both step 1 pages of a new design, each as a screenshot "step1_<system>_<size>",
    then Cancel and Exit."""
    for system in ("tv", "fm"):
        with g.App(args.velmo, splash_ms=300) as app:
            wizard = new_design(app, fm=(system == "fm"))
            g.screenshot(args.out, "step1_%s_%s" % (system, size))
            x, y, width, height = g.geometry(wizard)
            screen_w, screen_h = (int(v) for v in size.split("x"))
            if x < 0 or y < 0 or x + width > screen_w or y + height > screen_h:
                raise g.GuiTestError("the %s wizard lies at %d,%d %dx%d, not inside the %s screen"
                                     % (system, x, y, width, height, size))
            g.key(wizard, "Escape")
            question = g.find_window("Orvane Velmo$", pid=app.proc.pid)
            g.key(question, "y")
            g.wait_window_gone(wizard)
            main = g.find_window("^Orvane Velmo", pid=app.proc.pid)
            g.key(main, "alt+f", "x")
            code = app.wait_exit(timeout=10)
            if code != 0:
                raise g.GuiTestError("exit code %d" % code)


def finish_and_save(app, wizard, out, name):
    """Presses Next (Alt+N) on steps 2 to 4 and Finish on step 5, then saves."""
    for step in (2, 3, 4):
        g.key(wizard, "alt+n")
        g.screenshot(out, "%s_step%d" % (name, step + 1), wizard)
    # Finish is a click: on the FM analysis page Alt+F also names "Filter Loss". The
    # button sits left of Cancel at the bottom right of the window (which the analysis
    # page may have widened).
    _, _, width, height = g.geometry(wizard)
    g.click(wizard, width - 150, height - 23)
    g.wait_window_gone(wizard)
    # Finish shows the report.
    preview = g.find_window("^Preview", pid=app.proc.pid, timeout=30)
    g.key(preview, "Escape")
    g.wait_window_gone(preview)
    main = g.find_window("^Orvane Velmo", pid=app.proc.pid)
    g.key(main, "ctrl+s")
    dialog = g.find_window("^Save Design", pid=app.proc.pid)
    path = os.path.join(out, name + ".bcst")
    if os.path.exists(path):
        os.remove(path)
    g.key(dialog, "ctrl+a")
    g.type_text(dialog, path)
    g.key(dialog, "Return")
    g.wait_for(lambda: os.path.exists(path), what="saved design " + path)
    g.key(main, "alt+f", "x")
    code = app.wait_exit(timeout=10)
    if code != 0:
        raise g.GuiTestError("exit code %d" % code)
    return parameters(path)


def parameters(path):
    """The [PARAMETERS] section of a design file as a dict."""
    values = {}
    section = None
    with open(path, encoding="utf-8", errors="replace") as f:
        for line in f:
            line = line.strip()
            m = re.match(r"^\[(.*)\]$", line)
            if m:
                section = m.group(1).upper()
            elif section == "PARAMETERS" and "=" in line:
                k, v = line.split("=", 1)
                values[k.lower()] = v
    return values


def expect(values, **wanted):
    for k, v in wanted.items():
        if values.get(k) != v:
            raise g.GuiTestError("%s is %r, expected %r" % (k, values.get(k), v))
