"""Complete new designs through all five real wizard pages with keys and clicks: a TV
design (KVR, channel 34) and an FM design (RNVX). On the line page a catalog line is
chosen and the run lengths typed, on the analysis page the transmitter power; Finish
shows the report, the design is saved, opened again in the program, its report shown,
and velmo-cli info of the saved file tells the family, patterns, tilt, line and power."""

import os
import re
import shutil
import tempfile

import guitest as g
import step1_walk as w


def section(text, name, indent=""):
    """The lines of an indented section of velmo-cli info ("Line", "  HorzPattern")."""
    m = re.search(r"^%s%s:\n((?:%s[ ]+.*\n?)*)" % (indent, re.escape(name), indent), text, re.M)
    if not m:
        raise g.GuiTestError("velmo-cli info shows no %s section" % name)
    return m.group(1)


def value(text, key):
    m = re.search(r"^[ ]*%s: (.*)$" % re.escape(key), text, re.M)
    if not m:
        raise g.GuiTestError("velmo-cli info shows no %s" % key)
    return m.group(1).strip()


def expect(what, got, ok):
    if not ok(got):
        raise g.GuiTestError("%s is %r" % (what, got))


def lines_and_analysis(wizard, out, name, rows_down, power):
    """Step 4: a catalog line `rows_down` rows below the Custom line, 800 + 80 ft;
    step 5: the transmitter power typed and committed with Enter."""
    g.key(wizard, "ctrl+Home", *(["Down"] * rows_down))
    g.key(wizard, "alt+v", "ctrl+a")
    g.type_text(wizard, "800")
    g.key(wizard, "alt+h", "ctrl+a")
    g.type_text(wizard, "80")
    g.key(wizard, "Tab")
    g.screenshot(out, name + "_lines_page", wizard)
    g.key(wizard, "alt+n")
    g.key(wizard, "ctrl+a")  # the page starts in the transmitter entry
    g.type_text(wizard, power)
    g.key(wizard, "Return")
    g.screenshot(out, name + "_analysis_page", wizard)


def finish_save_reopen(app, wizard, out, name, path):
    # Finish: a click on the button left of Cancel at the bottom right.
    _, _, width, height = g.geometry(wizard)
    g.click(wizard, width - 150, height - 23)
    g.wait_window_gone(wizard)
    preview = g.find_window("^Preview", pid=app.proc.pid, timeout=30)
    g.screenshot(out, name + "_report")
    g.key(preview, "Escape")
    g.wait_window_gone(preview)

    main = g.find_window("^Orvane Velmo", pid=app.proc.pid)
    g.key(main, "ctrl+s")
    dialog = g.find_window("^Save Design", pid=app.proc.pid)
    g.key(dialog, "ctrl+a")
    g.type_text(dialog, path)
    g.key(dialog, "Return")
    g.wait_for(lambda: os.path.exists(path), what="saved design " + path)

    # Open it again (the design is saved: nothing is asked) and show its report.
    g.key(main, "ctrl+o")
    dialog = g.find_window("^Open Design", pid=app.proc.pid)
    g.key(dialog, "ctrl+a")
    g.type_text(dialog, path)
    g.key(dialog, "Return")
    g.wait_window_gone(dialog)
    g.key(main, "ctrl+r")
    preview = g.find_window("^Preview", pid=app.proc.pid, timeout=30)
    g.screenshot(out, name + "_report_reopened")
    g.key(preview, "Escape")
    g.wait_window_gone(preview)
    g.key(main, "alt+f", "x")
    code = app.wait_exit(timeout=10)
    if code != 0:
        raise g.GuiTestError("exit code %d" % code)


def check_info(args, path, family, line, power, fm):
    info = g.run([args.cli, "info", path])
    expect("FamilyID", value(info, "FamilyID"), lambda v: v == family)
    slot = "FMPattern" if fm else "HorzPattern"
    az = section(section(info, "AzimuthPage"), slot, "  ")
    el = section(section(info, "ElevationPage"), slot, "  ")
    expect("azimuth PatternID", value(az, "PatternID"), lambda v: v != "")
    expect("elevation PolID", value(el, "PolID"), lambda v: v != "")
    expect("Beamtilt", value(el, "Beamtilt"), lambda v: float(v) == float(v))
    line_info = section(info, "Line")
    expect("line PartNumber", value(line_info, "PartNumber"), lambda v: v == line)
    expect("VertLength", value(line_info, "VertLength"), lambda v: v == "800")
    expect("HorzLength", value(line_info, "HorzLength"), lambda v: v == "80")
    expect("TransmitterPowerkW", value(info, "TransmitterPowerkW"),
           lambda v: abs(float(v) - float(power)) < 1e-9)
    expect("ERPkWHorz", value(info, "ERPkWHorz"), lambda v: float(v) > 0)
    return info


def tv_design(args, folder):
    path = os.path.join(folder, "kvr_ch34.bcst")
    with g.App(args.velmo, splash_ms=300) as app:
        wizard = w.new_design(app, fm=False)
        # Step 1: United States, channel 34, KVR Series Medium Power UHF, top mount,
        # elliptical polarization.
        g.click(wizard, 70, 58)
        g.key(wizard, "Tab")
        g.type_text(wizard, "34")
        g.key(wizard, "Tab", "Down", "Down", "Tab", "Down", "Tab", "Down")
        g.key(wizard, "Return")
        # Steps 2 and 3: the preselected patterns, the tilt one step up.
        g.key(wizard, "alt+n")
        g.key(wizard, "alt+t", "Up")
        g.key(wizard, "alt+n")
        # OAC400-50 is the fifth line of the channel 34 catalog.
        lines_and_analysis(wizard, args.out, "e2e_tv", 4, "15")
        finish_save_reopen(app, wizard, args.out, "e2e_tv", path)
    check_info(args, path, "KVR", "OAC400-50", "15", fm=False)


def fm_design(args, folder):
    path = os.path.join(folder, "rnvx.bcst")
    with g.App(args.velmo, splash_ms=300) as app:
        wizard = w.new_design(app, fm=True)
        # Step 1: channel 250, circular, RNVX (the first family), its first mount and
        # feed, and an ERP maximum of 6 kW typed into "Max ERP".
        g.click(wizard, 60, 116)
        g.type_text(wizard, "250")
        g.key(wizard, "Tab", "Tab", "space", "Tab", "space", "Tab", "space")
        g.screenshot(args.out, "e2e_fm_step1", wizard)
        g.key(wizard, "alt+e", "ctrl+a")
        g.type_text(wizard, "6")
        g.key(wizard, "Return")
        # Steps 2 and 3: the preselected patterns, the tilt one step down.
        g.key(wizard, "alt+n")
        g.key(wizard, "alt+t", "Down")
        g.key(wizard, "alt+n")
        lines_and_analysis(wizard, args.out, "e2e_fm", 4, "5")
        finish_save_reopen(app, wizard, args.out, "e2e_fm", path)
    info = check_info(args, path, "RNVX", "OAC400-50", "5", fm=True)
    expect("MaxERPkW", value(info, "MaxERPkW"), lambda v: float(v) == 6)


def test(args):
    folder = tempfile.mkdtemp(prefix="velmo-gui-e2e-")
    try:
        tv_design(args, folder)
        fm_design(args, folder)
    finally:
        shutil.rmtree(folder, ignore_errors=True)


if __name__ == "__main__":
    g.main(test)
