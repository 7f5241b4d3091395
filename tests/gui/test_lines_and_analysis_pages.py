"""Steps 4 and 5 alone on a design opened from a sample (Modify Design: Transmission
Line, then System Analysis): the Custom line edited in its dialog with keys, the run
lengths typed, the transmitter power typed and committed with Enter, the design saved
as .bcst and its figures read back with velmo-cli info; the report preview shown."""

import os
import re
import shutil
import tempfile

import guitest as g


def info_value(text, key, section=None):
    """A value of velmo-cli info: top level, or inside an indented section ("Line")."""
    if section:
        m = re.search(r"^%s:\n((?:[ ]+.*\n?)*)" % re.escape(section), text, re.M)
        if not m:
            raise g.GuiTestError("velmo-cli info shows no %s section" % section)
        text = m.group(1)
        pattern = r"^[ ]+%s: (.*)$" % re.escape(key)
    else:
        pattern = r"^%s: (.*)$" % re.escape(key)
    m = re.search(pattern, text, re.M)
    if not m:
        raise g.GuiTestError("velmo-cli info shows no %s" % key)
    return m.group(1).strip()


# The main window starts with the focus on "New Design"; the Modify Design buttons
# follow "View Report": System Parameters, Azimuth, Elevation, Transmission Line,
# System Analysis.
TABS_TO_TRANSMISSION_LINE = 5


def test(args):
    work = tempfile.mkdtemp(prefix="velmo-gui-step45-")
    design = os.path.join(work, "kvr_ch34.bcst")
    shutil.copy(os.path.join(args.samples, "kvr_horizontal_ch34.bcst"), design)
    saved = os.path.join(work, "kvr_ch34_custom.bcst")
    try:
        with g.App(args.velmo, [design], splash_ms=300) as app:
            pid = app.proc.pid
            main = g.find_window("^Orvane Velmo$", pid=pid)

            # Transmission Line alone: the grid has the focus, Ctrl+Home takes the
            # Custom line, Enter opens its dialog.
            g.key(main, *(["Tab"] * TABS_TO_TRANSMISSION_LINE))
            g.screenshot(args.out, "step45_main_window")
            g.key(main, "space")
            wizard = g.find_window("^Velmo( — |$)", pid=pid)
            g.screenshot(args.out, "step45_lines_page", wizard)
            g.key(wizard, "ctrl+Home", "Return")
            dialog = g.find_window("^Customer defined transmission line( — |$)", pid=pid)
            g.key(dialog, "ctrl+a")
            g.type_text(dialog, "GUI feeder")
            g.key(dialog, "Tab", "ctrl+a")
            g.type_text(dialog, "25")
            g.key(dialog, "Tab", "ctrl+a")
            g.type_text(dialog, "0.5")
            g.screenshot(args.out, "step45_custom_line_dialog", dialog)
            g.key(dialog, "Return")
            g.wait_window_gone(dialog)
            # The run lengths: alt+v / alt+h reach the entries.
            g.key(wizard, "alt+v", "ctrl+a")
            g.type_text(wizard, "1000")
            g.key(wizard, "alt+h", "ctrl+a")
            g.type_text(wizard, "100")
            g.key(wizard, "Tab")
            g.screenshot(args.out, "step45_lines_page_custom", wizard)
            g.key(wizard, "alt+f")
            g.wait_window_gone(wizard)

            # System Analysis alone (the focus came back to Transmission Line): the
            # page starts in the transmitter entry.
            g.key(main, "Tab", "space")
            wizard = g.find_window("^Velmo( — |$)", pid=pid)
            g.key(wizard, "ctrl+a")
            g.type_text(wizard, "20")
            g.screenshot(args.out, "step45_analysis_typing", wizard)
            g.key(wizard, "Return")
            g.screenshot(args.out, "step45_analysis_page", wizard)
            g.key(wizard, "alt+f")
            g.wait_window_gone(wizard)

            # Save As, then the report.
            g.key(main, "alt+f", "a")
            save = g.find_window("^Save Design", pid=pid)
            g.key(save, "ctrl+a")
            g.type_text(save, saved)
            g.key(save, "Return")
            g.wait_for(lambda: os.path.exists(saved), what="the saved design")
            g.key(main, "ctrl+r")
            preview = g.find_window("Preview", pid=pid)
            g.screenshot(args.out, "step45_report")
            g.key(preview, "Escape")
            g.wait_window_gone(preview)
            g.key(main, "alt+f", "x")
            app.wait_exit(timeout=10)

        out = g.run([args.cli, "info", saved])
        checks = [
            ("Line", "PartNumber", lambda v: v == "Custom"),
            ("Line", "Description", lambda v: v == "GUI feeder"),
            ("Line", "dBPerFoot", lambda v: abs(float(v) - 0.5) < 1e-9),
            ("Line", "AvgPower", lambda v: abs(float(v) - 25) < 1e-9),
            ("Line", "VertLength", lambda v: v == "1000"),
            ("Line", "HorzLength", lambda v: v == "100"),
            (None, "TransmitterPowerkW", lambda v: abs(float(v) - 20) < 1e-9),
        ]
        for section, key_name, ok in checks:
            value = info_value(out, key_name, section)
            if not ok(value):
                raise g.GuiTestError("%s is %s in the saved design" % (key_name, value))
    finally:
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    g.main(test)
