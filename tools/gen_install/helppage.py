"""The help page on beam tilt and null fill, with a figure drawn from two of the
installation's own elevation files."""
import math
import os

from common import write_text


def read_el(path):
    pts = []
    with open(path) as f:
        for line in f:
            x, y = line.split()
            pts.append((float(x), float(y)))
    return pts


def polyline(pts, x0, x1, left, top, width, height):
    out = []
    for x, y in pts:
        if x0 <= x <= x1:
            px = left + (x - x0) / (x1 - x0) * width
            py = top + (1.0 - y) * height
            out.append("%.1f,%.1f" % (px, py))
    return " ".join(out)


def write_help_page(out):
    el = os.path.join(out, "patterns", "elevation", "hpol")
    plain = read_el(os.path.join(el, "klx24.pat"))
    smooth = read_el(os.path.join(el, "klx24s.pat"))
    horizon = dict(plain)[0.0]
    left, top, width, height = 50, 20, 520, 200
    x0, x1 = -4.0, 12.0
    grid = []
    for deg in range(-4, 13, 2):
        px = left + (deg - x0) / (x1 - x0) * width
        grid.append('<line x1="%.1f" y1="%d" x2="%.1f" y2="%d" stroke="#ccc"/>' % (px, top, px, top + height))
        grid.append('<text x="%.1f" y="%d" font-size="11" text-anchor="middle">%d</text>' % (px, top + height + 14, deg))
    for f in (0.0, 0.5, 1.0):
        py = top + (1 - f) * height
        grid.append('<line x1="%d" y1="%.1f" x2="%d" y2="%.1f" stroke="#ccc"/>' % (left, py, left + width, py))
        grid.append('<text x="%d" y="%.1f" font-size="11" text-anchor="end">%.1f</text>' % (left - 4, py + 4, f))
    hx = left + (0 - x0) / (x1 - x0) * width
    # radio horizon seen from 1000 ft, 4/3 earth radius
    dip = math.degrees(math.sqrt(2 * 304.8 / 8.495e6))
    lines = [
        "<!DOCTYPE html>",
        "<html lang=\"en\">",
        "<head>",
        "<meta charset=\"us-ascii\">",
        "<title>Optimize your coverage: beam tilt and null fill</title>",
        "<style>body{font-family:Arial,Helvetica,sans-serif;max-width:46em;margin:2em auto;line-height:1.45}"
        "h1{font-size:1.5em}h2{font-size:1.15em;margin-top:1.6em}figure{margin:1.5em 0}"
        "figcaption{font-size:.9em;color:#444}td,th{padding:2px 10px;text-align:right}</style>",
        "</head>",
        "<body>",
        "<h1>Optimize your coverage: beam tilt and null fill</h1>",
        "<p>A broadcast antenna with many bays stacked vertically concentrates its power into a",
        "narrow beam in the vertical plane. The narrower the beam, the higher the gain, and the more",
        "it matters where the beam points and what happens below it. Two properties of the elevation",
        "pattern decide how well a high-gain antenna serves the area around the tower:",
        "<em>beam tilt</em> and <em>null fill</em>.</p>",
        "<h2>Electrical beam tilt</h2>",
        "<p>An antenna whose bays are fed in phase puts its maximum exactly on the horizontal. From a",
        "tall tower the viewers are all <em>below</em> the horizontal: seen from 1000 ft above average",
        "terrain, the radio horizon already lies %.2f degrees below it (with the usual 4/3 earth" % dip,
        "radius), and most of the population is closer still. Half of the main beam would therefore",
        "go into the sky.</p>",
        "<p>Feeding each bay with a small phase lag relative to the one above it turns the beam",
        "downward without tilting the antenna itself; this is <em>electrical</em> beam tilt. The",
        "pattern keeps its shape, and it is the same all round the tower, which mechanical tilt",
        "(leaning the antenna) cannot achieve. A tilt of about half the beam width is a good start:",
        "the horizon then still receives most of the peak field, while the field near the tower",
        "rises. Too much tilt costs coverage at the edge of the service area: the gain towards the",
        "horizon falls quickly once the horizon leaves the main beam.</p>",
        "<h2>Null fill</h2>",
        "<p>Below the main beam an array has nulls: directions in which the fields of the bays",
        "cancel. For a 24-bay UHF antenna the first null lies only about 2.5 degrees below the beam",
        "maximum; from a 1000 ft tower that is a ring roughly 3 to 4 miles out, often right over the",
        "town the station is licensed to serve. <em>Null fill</em> shifts the amplitudes or phases",
        "of some bays slightly so that the nulls do not reach zero. It is stated as the field in the",
        "first null relative to the beam maximum: 5 percent is a light fill, 10 to 15 percent a",
        "heavy fill, and a smooth pattern fills the nulls further still.</p>",
        "<p>Null fill is not free: the power that goes into the nulls is taken from the main beam,",
        "so the gain drops a little. For most stations a modest fill is worth much more than the",
        "fraction of a dB it costs.</p>",
        "<figure>",
        "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"600\" height=\"260\" viewBox=\"0 0 600 260\""
        " role=\"img\" aria-label=\"Elevation patterns of a 24-bay antenna with and without heavy null fill\">",
        "<rect x=\"%d\" y=\"%d\" width=\"%d\" height=\"%d\" fill=\"white\" stroke=\"#888\"/>" % (left, top, width, height),
    ] + grid + [
        "<line x1=\"%.1f\" y1=\"%d\" x2=\"%.1f\" y2=\"%d\" stroke=\"#c00\" stroke-dasharray=\"4,3\"/>" % (hx, top, hx, top + height),
        "<text x=\"%.1f\" y=\"%d\" font-size=\"11\" fill=\"#c00\" text-anchor=\"end\">horizon</text>" % (hx - 4, top + 12),
        "<polyline fill=\"none\" stroke=\"#036\" stroke-width=\"1.6\" points=\"%s\"/>" % polyline(plain, x0, x1, left, top, width, height),
        "<polyline fill=\"none\" stroke=\"#c60\" stroke-width=\"1.6\" stroke-dasharray=\"6,3\" points=\"%s\"/>" % polyline(smooth, x0, x1, left, top, width, height),
        "<text x=\"%d\" y=\"%d\" font-size=\"12\" text-anchor=\"middle\">degrees below horizontal</text>" % (left + width // 2, top + height + 32),
        "<text x=\"%d\" y=\"%d\" font-size=\"12\" fill=\"#036\">12 %% null fill</text>" % (left + width - 130, top + 40),
        "<text x=\"%d\" y=\"%d\" font-size=\"12\" fill=\"#c60\">25 %% null fill (smooth)</text>" % (left + width - 130, top + 58),
        "</svg>",
        "<figcaption>Relative field of a 24-bay slot antenna with 0.75 degrees of electrical beam",
        "tilt, with a heavy (12 %%) and a smooth (25 %%) null fill. The horizon receives %.0f %% of" % (horizon * 100),
        "the peak field.</figcaption>",
        "</figure>",
        "<h2>Choosing the figures in Velmo</h2>",
        "<p>On the elevation step of the design wizard, choose the pattern and move the beam tilt",
        "within the limits the pattern allows; the page shows the main-lobe gain, the gain towards",
        "the horizon and the beam width as you go. For FM antennas the pattern is computed from the",
        "number of bays and their spacing, and you can set the tilt and the first (and for some",
        "families the second) null fill directly. The power analysis uses the gain towards the",
        "horizon, so the effect of every choice on the radiated power is visible at once.</p>",
        "<p>Your consultant sets the power you may radiate; your Orvane sales representative can",
        "help with tilt and fill values outside the catalog.</p>",
        "</body>",
        "</html>",
    ]
    write_text(os.path.join(out, "beamtilt", "beamtilt.html"), lines)
