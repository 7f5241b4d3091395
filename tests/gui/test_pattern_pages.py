"""The pattern pages in the real program: a TV design from step 1 through the azimuth
page (another pattern, rotation 30, dB) and the elevation page (another pattern, tilt
up two steps), and an FM design through its azimuth page and its elevation page (tilt
and both null fills stepped). Each design is saved and its file read back; the pattern
pages are photographed with their patterns shown."""

import os
import shutil
import subprocess
import tempfile

import guitest as g

# Window positions of the main window's "Modify Design" buttons (the window opens at
# the screen's top left corner; laid out for 800 x 600).
SYSTEM_PARAMETERS = (84, 272)
AZIMUTH_PATTERN = (84, 310)
ELEVATION_PATTERN = (84, 348)


def read_design(path):
    """{section: {key: value}} of a design file (the first value of a repeated key)."""
    sections, current = {}, None
    with open(path, encoding="latin-1") as f:
        for line in f:
            line = line.strip()
            if line.startswith("[") and line.endswith("]"):
                current = sections.setdefault(line[1:-1].upper(), {})
            elif "=" in line and current is not None:
                k, v = line.split("=", 1)
                current.setdefault(k.lower(), v)
    return sections


def expect(what, got, wanted):
    if got != wanted:
        raise g.GuiTestError("%s: %r, expected %r" % (what, got, wanted))


# The "Power Gain:" box of the FM elevation page in wizard window coordinates (below
# the tilt and fill fields, left of the plot; laid out for the 1280 x 1024 screen).
FM_GAIN_BOX = (8, 560, 490, 120)


def region_differs(before_png, after_png, window_xy, box):
    """True when the box (x, y, w, h in window coordinates) differs between two screen
    shots."""
    x, y, w, h = box
    crop = "%dx%d+%d+%d" % (w, h, window_xy[0] + x, window_xy[1] + y)
    # compare prints the count of differing pixels on stderr (exit 1 when they differ).
    result = subprocess.run(["compare", "-metric", "AE", before_png + "[" + crop + "]",
                             after_png + "[" + crop + "]", "null:"],
                            stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True, timeout=30)
    if result.returncode > 1:
        raise g.GuiTestError("compare failed: " + result.stderr.strip())
    return float(result.stderr.split()[0]) > 0


def wizard_window(app):
    return g.find_window("^Velmo( — |$)", pid=app.proc.pid)


def tv_design(args, folder):
    path = os.path.join(folder, "tv.bcst")
    shutil.copy(os.path.join(args.samples, "miraldo_uhf_elliptical_top.bcst"), path)
    with g.App(args.velmo, [path], splash_ms=300) as app:
        main = g.find_window("^Orvane Velmo$", pid=app.proc.pid)
        g.click(main, *SYSTEM_PARAMETERS)
        wizard = wizard_window(app)
        g.key(wizard, "alt+n")  # step 1 to the azimuth page

        g.key(wizard, "alt+h", "Down")  # KLX-OC preselected; the next one
        g.key(wizard, "alt+r", "ctrl+a")
        g.type_text(wizard, "30")
        g.key(wizard, "Tab", "alt+d")
        g.screenshot(args.out, "pattern_azimuth_tv")

        g.key(wizard, "alt+n")
        g.key(wizard, "alt+h", "Down")  # KLX16 preselected; KLX16S
        g.key(wizard, "alt+t", "Up", "Up")
        g.screenshot(args.out, "pattern_elevation_tv")

        g.key(wizard, "alt+n", "alt+n")  # the line and analysis steps
        g.key(wizard, "alt+f")
        g.wait_window_gone(wizard)
        g.key(main, "ctrl+s")
        g.wait_for(lambda: read_design(path)["AZIMUTH"].get("horz_patternid") == "KLX-CD",
                   what="the saved TV design")
        g.key(main, "alt+f", "x")
        app.wait_exit(timeout=10)

    d = read_design(path)
    az, el = d["AZIMUTH"], d["ELEVATION"]
    expect("azimuth pattern", az["horz_patternid"], "KLX-CD")
    expect("vertical azimuth pattern", az["vert_patternid"], "KLX-CD-V")
    expect("rotation", az["angle"], "30")
    expect("azimuth unit (dB)", az["power_type"], "0")
    expect("elevation pattern", el["horz_polid"], "KLX16S")
    expect("vertical elevation pattern", el["vert_polid"], "KLX16SV")
    expect("beam tilt", el["horz_beamtilt"], "1.25")
    expect("vertical beam tilt", el["vert_beamtilt"], "1.25")


def fm_design(args, folder):
    path = os.path.join(folder, "fm.bcst")
    shutil.copy(os.path.join(args.samples, "rnvx_circular_fm.bcst"), path)
    before = read_design(path)["ELEVATION"]
    with g.App(args.velmo, [path], splash_ms=300) as app:
        main = g.find_window("^Orvane Velmo$", pid=app.proc.pid)
        g.click(main, *AZIMUTH_PATTERN)
        wizard = wizard_window(app)
        g.key(wizard, "alt+l", "Down")  # RNVX-ST preselected; RNVX-SW
        g.screenshot(args.out, "pattern_azimuth_fm")
        g.key(wizard, "alt+f")
        g.wait_window_gone(wizard)

        g.click(main, *ELEVATION_PATTERN)
        wizard = wizard_window(app)
        before_png = g.screenshot(args.out, "pattern_elevation_fm_before")
        x, y, _, _ = g.geometry(wizard)
        # -0.5 in the file: three steps down.
        g.key(wizard, "alt+t", "Down", "Down", "Down")
        g.key(wizard, "alt+1", "Up", "Up")
        g.key(wizard, "alt+2", "Up", "Up")
        after_png = g.screenshot(args.out, "pattern_elevation_fm")
        if not region_differs(before_png, after_png, (x, y), FM_GAIN_BOX):
            raise g.GuiTestError("the gain fields on screen did not change with the tilt and fills")
        g.key(wizard, "alt+f")
        g.wait_window_gone(wizard)
        g.key(main, "ctrl+s")
        g.wait_for(lambda: read_design(path)["ELEVATION"].get("fm_beamtilt") != before["fm_beamtilt"],
                   what="the saved FM design")
        g.key(main, "alt+f", "x")
        app.wait_exit(timeout=10)

    d = read_design(path)
    expect("FM azimuth pattern", d["AZIMUTH"]["fm_patternid"], "RNVX-SW")
    el = d["ELEVATION"]
    expect("FM elevation pattern", el["fm_polid"], "RNVX-8C")
    expect("beam tilt", el["fm_beamtilt"], "-0.65")
    expect("first null fill", el["fm_firstnullfillpercent"], "12")
    expect("second null fill", el["fm_secondnullfillpercent"], "2")
    if el["fm_gain"] == before["fm_gain"] or float(el["fm_gain"]) <= 0:
        raise g.GuiTestError("FM gain %s after the steps, %s before" % (el["fm_gain"], before["fm_gain"]))


def test(args):
    folder = tempfile.mkdtemp(prefix="velmo-gui-patterns-")
    try:
        tv_design(args, folder)
        fm_design(args, folder)
    finally:
        shutil.rmtree(folder, ignore_errors=True)


if __name__ == "__main__":
    g.main(test)
