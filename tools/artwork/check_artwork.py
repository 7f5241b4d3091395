#!/usr/bin/env python3
"""Reads the report's GIF pictures back and writes PNG files to look at.

    python3 tools/artwork/check_artwork.py OUTPUT_DIR [IMAGES_DIR]

For every picture: <NAME>.png, the picture as decoded from its GIF, after checking its
pixel size. For the two power analysis pictures also <NAME>_page.png: the picture
stretched into its page rectangle at 2 pixels per page unit, with the boxes of the
analysis page's texts (red outlines, widths measured with the Arial-metric font when it
is installed, else estimated) and their anchor points (red crosses), and, on the FM
page, the loss boxes and connectors the page draws itself (blue).
"""

import os
import struct
import sys

from make_artwork import PICTURES
from raster import read_gif, write_png

HERE = os.path.dirname(os.path.abspath(__file__))
FONT_DIR = "/usr/share/fonts/truetype/liberation2"
SCALE = 2
RED = (220, 0, 0)
BLUE = (0, 70, 230)


class FontMetrics:
    """Advance widths from a TrueType file: enough to measure a text's box."""

    def __init__(self, path):
        with open(path, "rb") as f:
            d = f.read()
        n = struct.unpack(">H", d[4:6])[0]
        tables = {}
        for i in range(n):
            tag, _, off, length = struct.unpack(">4sIII", d[12 + 16 * i:28 + 16 * i])
            tables[tag] = (off, length)
        head = tables[b"head"][0]
        self.upm = struct.unpack(">H", d[head + 18:head + 20])[0]
        os2 = tables[b"OS/2"][0]
        asc, desc = struct.unpack(">HH", d[os2 + 74:os2 + 78])
        self.cell = (asc + desc) / self.upm
        hhea = tables[b"hhea"][0]
        nmetrics = struct.unpack(">H", d[hhea + 34:hhea + 36])[0]
        hmtx = tables[b"hmtx"][0]
        adv = [struct.unpack(">H", d[hmtx + 4 * i:hmtx + 4 * i + 2])[0] for i in range(nmetrics)]
        self.cmap = self._cmap(d, tables[b"cmap"][0])
        self.adv = adv

    @staticmethod
    def _cmap(d, base):
        n = struct.unpack(">H", d[base + 2:base + 4])[0]
        for i in range(n):
            pid, eid, off = struct.unpack(">HHI", d[base + 4 + 8 * i:base + 12 + 8 * i])
            t = base + off
            if pid == 3 and eid == 1 and struct.unpack(">H", d[t:t + 2])[0] == 4:
                segx2 = struct.unpack(">H", d[t + 6:t + 8])[0]
                seg = segx2 // 2
                ends = struct.unpack(">%dH" % seg, d[t + 14:t + 14 + segx2])
                starts = struct.unpack(">%dH" % seg, d[t + 16 + segx2:t + 16 + 2 * segx2])
                deltas = struct.unpack(">%dh" % seg, d[t + 16 + 2 * segx2:t + 16 + 3 * segx2])
                ro_pos = t + 16 + 3 * segx2
                offs = struct.unpack(">%dH" % seg, d[ro_pos:ro_pos + segx2])
                m = {}
                for s in range(seg):
                    for ch in range(starts[s], min(ends[s], 0x2FFF) + 1):
                        if offs[s] == 0:
                            g = (ch + deltas[s]) & 0xFFFF
                        else:
                            p = ro_pos + 2 * s + offs[s] + 2 * (ch - starts[s])
                            g = struct.unpack(">H", d[p:p + 2])[0]
                            if g:
                                g = (g + deltas[s]) & 0xFFFF
                        m[ch] = g
                return m
        return {}

    def width(self, text, height):
        em = height / self.cell
        total = 0
        for ch in text:
            g = self.cmap.get(ord(ch), 0)
            total += self.adv[min(g, len(self.adv) - 1)]
        return total * em / self.upm


def load_fonts():
    try:
        return {"bi": FontMetrics(os.path.join(FONT_DIR, "LiberationSans-BoldItalic.ttf")),
                "i": FontMetrics(os.path.join(FONT_DIR, "LiberationSans-Italic.ttf"))}
    except OSError:
        return None


FONTS = load_fonts()


def text_width(text, height, bold):
    if FONTS:
        return FONTS["bi" if bold else "i"].width(text, height)
    return len(text) * height * (0.6 if bold else 0.5)


# Texts of the power analysis pages: (text, x, y, h-align, v-align, height, bold).
# Values are typical figures; the boxes show where the page writes them.
def tv_texts():
    t = [("Broadcast Antenna System", 425, 125, "c", "t", 24, True),
         ("Power Analysis", 425, 150, "c", "t", 18, True)]
    y = 305
    for head, r1, r2 in (("ERP:", ("kW:", "100.00"), ("dBk:", "20.00")),
                         ("POWER GAIN:", ("Ratio:", "21.50"), ("dBd:", "13.32")),
                         ("ANTENNA INPUT:", ("kW:", "4.65"), ("dBk:", "6.68")),
                         ("LINE LOSS:", ("kW:", "1.12"), ("dB:", "0.95"))):
        t.append((head, 500, y, "l", "b", 16, True))
        for lab, val in (r1, r2):
            y += 16
            t.append((lab, 610, y, "r", "b", 16, False))
            t.append((val, 625, y, "l", "b", 16, False))
        y += 16 + 55
    t += [("TRANSMITTER", 555, 845, "l", "b", 16, True), ("POWER:", 555, 861, "l", "b", 16, True),
          ("kW:", 650, 905, "r", "b", 16, False), ("5.77", 665, 905, "l", "b", 16, False),
          ("dBk:", 650, 921, "r", "b", 16, False), ("7.61", 665, 921, "l", "b", 16, False)]
    t += [("Example Broadcasting   Channel  27", 105, 205, "l", "b", 24, True),
          ("Springfield, IL", 105, 229, "l", "b", 24, True),
          ("KVR-12A-27-S", 105, 253, "l", "b", 24, True),
          ("ANTENNA PARAMETERS", 105, 297, "l", "b", 16, True)]
    for head, y in (("Azimuth Directivity:", 343), ("Elevation Directivity:", 431)):
        t.append((head, 105, y, "l", "b", 16, True))
        t += [("Hor. Pol:", 245, y + 16, "r", "b", 16, False), ("1.23", 255, y + 16, "l", "b", 16, False),
              ("dBd:", 245, y + 32, "r", "b", 16, False), ("0.90", 255, y + 32, "l", "b", 16, False)]
    t.append(("TRANSMISSION LINE:", 105, 519, "l", "b", 16, True))
    for head, y in (("VERTICAL RUN:", 565), ("HORIZONTAL RUN:", 659)):
        t.append((head, 105, y, "l", "b", 16, True))
        for i, (lab, val) in enumerate((("Type:", "HJ9-50"), ("Length, ft:", "1000 ft."),
                                        ("Attenuation, dB/100 ft:", "0.107 dB/100 ft."))):
            t += [(lab, 105, y + 16 * (i + 1), "l", "b", 16, False),
                  (val, 245, y + 16 * (i + 1), "l", "b", 16, False)]
    t += [("Line Efficiency:", 105, 753, "l", "b", 16, False), ("80.45 %", 245, 753, "l", "b", 16, False)]
    return t


def fm_texts():
    t = [("FM Broadcast Antenna System", 425, 125, "c", "t", 24, True),
         ("Power Analysis", 425, 150, "c", "t", 20, True),
         ("Hor or Ver Pol:", 575, 305, "l", "b", 16, True)]
    y = 305
    for head, r1, r2 in (("ERP:", ("kW:", "100.00"), ("dBk:", "20.00")),
                         ("POWER GAIN:", ("Ratio:", "6.20"), ("dBd:", "7.92")),
                         ("ANTENNA INPUT:", ("kW:", "16.13"), ("dBk:", "12.08")),
                         ("LINE LOSS:", ("kW:", "2.10"), ("dB:", "0.53"))):
        t.append((head, 500, y, "l", "b", 16, True))
        for lab, val in (r1, r2):
            y += 16
            t.append((lab, 610, y, "r", "b", 16, False))
            t.append((val, 625, y, "l", "b", 16, False))
        y += 16 + 55
    for l, r, head in ((150, 282, "Circulator Loss"), (292, 424, "Filter Loss"),
                       (434, 566, "Isol Trans Loss"), (575, 775, "Transmitter Power")):
        t.append((head, (l + r) / 2, 850, "c", "b", 16, True))
        lx = 700 if l == 575 else l + 70
        vx = 710 if l == 575 else l + 80
        t += [("kW:", lx, 900, "r", "b", 16, False), ("0.35", vx, 900, "l", "b", 16, False),
              ("dBk:" if l == 575 else "dB:", lx, 916, "r", "b", 16, False), ("0.08", vx, 916, "l", "b", 16, False)]
    t += [("Example Broadcasting   Channel  27", 165, 220, "l", "b", 24, True),
          ("Springfield, IL", 165, 244, "l", "b", 24, True),
          ("RNVX-4-E", 165, 268, "l", "b", 24, True),
          ("TRANSMISSION LINE:", 135, 490, "l", "b", 16, True)]
    for head, y in (("VERTICAL RUN:", 536), ("HORIZONTAL RUN:", 630)):
        t.append((head, 135, y, "l", "b", 16, True))
        for i, (lab, val) in enumerate((("Type:", "LDF5-50A"), ("Length, ft:", "500 ft."),
                                        ("Attenuation, dB/100 ft:", "0.117 dB/100 ft."))):
            t += [(lab, 135, y + 16 * (i + 1), "l", "b", 16, False),
                  (val, 275, y + 16 * (i + 1), "l", "b", 16, False)]
    t += [("Line Efficiency:", 135, 724, "l", "b", 16, False), ("87.55 %", 275, 724, "l", "b", 16, False)]
    return t


class Page:
    def __init__(self, region):
        self.x0, self.y0, self.x1, self.y1 = region
        self.w = int((self.x1 - self.x0) * SCALE)
        self.h = int((self.y1 - self.y0) * SCALE)
        self.rows = [[(255, 255, 255)] * self.w for _ in range(self.h)]

    def dev(self, x, y):
        return int(round((x - self.x0) * SCALE)), int(round((y - self.y0) * SCALE))

    def put(self, ix, iy, color):
        if 0 <= ix < self.w and 0 <= iy < self.h:
            self.rows[iy][ix] = color

    def line(self, x0, y0, x1, y1, color):
        a = self.dev(x0, y0)
        b = self.dev(x1, y1)
        n = max(abs(b[0] - a[0]), abs(b[1] - a[1]), 1)
        for i in range(n + 1):
            self.put(a[0] + (b[0] - a[0]) * i // n, a[1] + (b[1] - a[1]) * i // n, color)

    def rect(self, l, t, r, b, color):
        self.line(l, t, r, t, color)
        self.line(r, t, r, b, color)
        self.line(r, b, l, b, color)
        self.line(l, b, l, t, color)

    def cross(self, x, y, color, size=3):
        self.line(x - size, y, x + size, y, color)
        self.line(x, y - size, x, y + size, color)

    def stretch(self, w, h, pix, rect):
        """The picture stretched over the whole page rectangle (nearest pixel)."""
        l, t, r, b = rect
        a = self.dev(l, t)
        z = self.dev(r, b)
        for iy in range(max(a[1], 0), min(z[1], self.h)):
            sy = min(h - 1, (iy - a[1]) * h // (z[1] - a[1]))
            src = pix[sy]
            row = self.rows[iy]
            for ix in range(max(a[0], 0), min(z[0], self.w)):
                row[ix] = src[min(w - 1, (ix - a[0]) * w // (z[0] - a[0]))]


def text_box(text, x, y, ha, va, height, bold):
    wdt = text_width(text, height, bold)
    left = x - (wdt / 2 if ha == "c" else (wdt if ha == "r" else 0))
    top = y - (height if va == "b" else 0)
    return left, top, left + wdt, top + height


def page_check(name, w, h, pix, out):
    rect = PICTURES[name][2]
    if name == "ANALYSIS":
        page = Page((90, 110, 750, 960))
        texts = tv_texts()
    else:
        page = Page((70, 110, 790, 960))
        texts = fm_texts()
    page.stretch(w, h, pix, rect)
    page.rect(*rect, (150, 150, 150))
    if name == "FMANALYSIS":
        for l, r in ((150, 282), (292, 424), (434, 566)):
            page.rect(l, 825, r, 950, BLUE)
            page.line(r, 895.5, r + 10, 895.5, BLUE)
            page.line(r, 879.5, r + 10, 879.5, BLUE)
        page.rect(575, 825, 775, 950, BLUE)
    for text, x, y, ha, va, height, bold in texts:
        page.rect(*text_box(text, x, y, ha, va, height, bold), RED)
        page.cross(x, y, RED)
    path = os.path.join(out, name + "_page.png")
    write_png(path, page.w, page.h, page.rows)
    return path


# Where the page texts expect the drawing: (picture, "row" at page y or "col" at page x,
# the page coordinates where a stroke must cross that scan line, what it is).
LANDMARKS = [
    ("ANALYSIS", "row", 650, (422, 436), "edges of the vertical run"),
    ("ANALYSIS", "col", 500, (851, 865), "edges of the horizontal run"),
    ("ANALYSIS", "col", 600, (818, 942), "top and bottom of the transmitter box"),
    ("ANALYSIS", "row", 880, (538, 730), "sides of the transmitter box"),
    ("FMANALYSIS", "row", 700, (102, 118), "edges of the vertical run"),
    ("FMANALYSIS", "col", 140, (879.5, 895.5), "edges of the stub"),
    ("FMANALYSIS", "col", 149.5, (879.5, 895.5), "stub at the first loss box"),
]


def stroke_centres(w, h, pix, rect, axis, at):
    """Centres (page units) of the dark runs along one scan line of the picture."""
    l, t, r, b = rect
    if axis == "row":
        iy = int((at - t) * h / (b - t))
        values = [pix[iy][x][0] for x in range(w)]
        to_page = lambda i: l + (i + 0.5) * (r - l) / w
    else:
        ix = int((at - l) * w / (r - l))
        values = [pix[y][ix][0] for y in range(h)]
        to_page = lambda i: t + (i + 0.5) * (b - t) / h
    runs, start = [], None
    for i, v in enumerate(values + [255]):
        if v < 160 and start is None:
            start = i
        elif v >= 160 and start is not None:
            runs.append(to_page((start + i - 1) / 2))
            start = None
    return runs


def check_landmarks(name, w, h, pix):
    bad = 0
    for pic, axis, at, want, what in LANDMARKS:
        if pic != name:
            continue
        got = stroke_centres(w, h, pix, PICTURES[name][2], axis, at)
        missing = [p for p in want if not any(abs(p - g) <= 1.0 for g in got)]
        bad += bool(missing)
        print("    %-4s %-6s %-40s %s" % (axis, at, what, "ok" if not missing else
              "MISSING at %s (strokes at %s)" % (missing, [round(g, 1) for g in got])))
    return bad


def ink_under_texts(name, w, h, pix, texts):
    """Dark picture pixels inside each text box that lies on the picture."""
    l, t, r, b = PICTURES[name][2]
    hits = []
    for text, x, y, ha, va, height, bold in texts:
        bl, bt, br, bb = text_box(text, x, y, ha, va, height, bold)
        x0 = max(0, int((bl - l) * w / (r - l)))
        x1 = min(w, int((br - l) * w / (r - l)) + 1)
        y0 = max(0, int((bt - t) * h / (b - t)))
        y1 = min(h, int((bb - t) * h / (b - t)) + 1)
        n = sum(1 for yy in range(y0, y1) for xx in range(x0, x1) if pix[yy][xx][0] < 160)
        if n:
            hits.append((text, n))
    return hits


def main(argv):
    if len(argv) < 2:
        print(__doc__)
        return 2
    out = argv[1]
    images = argv[2] if len(argv) > 2 else os.path.join(HERE, "..", "..", "src", "report", "images")
    os.makedirs(out, exist_ok=True)
    bad = 0
    for name, (pw, ph, _) in PICTURES.items():
        w, h, pix = read_gif(os.path.join(images, name + ".gif"))
        ok = (w, h) == (pw, ph)
        bad += not ok
        print("%-14s %4d x %4d  %s" % (name, w, h, "ok" if ok else "WRONG SIZE, want %d x %d" % (pw, ph)))
        write_png(os.path.join(out, name + ".png"), w, h, pix)
        if name in ("ANALYSIS", "FMANALYSIS"):
            print("    check image:", page_check(name, w, h, pix, out))
            bad += check_landmarks(name, w, h, pix)
            hits = ink_under_texts(name, w, h, pix, tv_texts() if name == "ANALYSIS" else fm_texts())
            print("    drawing under the sample texts:", hits or "none")
    return 1 if bad else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
