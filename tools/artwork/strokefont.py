"""A plain geometric stroke alphabet for the wordmark, the band texts and the dimension
letters. Glyphs live on a 4 x 6 cell (x right, y down); each is a list of polylines."""

import math


def _arc(cx, cy, rx, ry, a0, a1, n=14):
    return [(cx + rx * math.cos(math.radians(a0 + (a1 - a0) * i / n)),
             cy - ry * math.sin(math.radians(a0 + (a1 - a0) * i / n))) for i in range(n + 1)]


GLYPHS = {
    "A": [[(0, 6), (2, 0), (4, 6)], [(0.67, 4), (3.33, 4)]],
    "B": [[(0, 3), (0, 0), (2.6, 0)] + _arc(2.6, 1.5, 1.3, 1.5, 90, -90)[1:] + [(0, 3)],
          [(0, 3), (2.7, 3)] + _arc(2.7, 4.5, 1.3, 1.5, 90, -90)[1:] + [(0, 6), (0, 3)]],
    "C": [_arc(2.1, 3, 2.1, 3, 45, 315, 24)],
    "D": [[(0, 0), (0, 6), (1.6, 6)] + _arc(1.6, 3, 2.4, 3, -90, 90, 18)[1:] + [(0, 0)]],
    "E": [[(3.8, 0), (0, 0), (0, 6), (3.8, 6)], [(0, 3), (3, 3)]],
    "F": [[(3.8, 0), (0, 0), (0, 6)], [(0, 3), (3, 3)]],
    "M": [[(0, 6), (0, 0), (2.25, 4.2), (4.5, 0), (4.5, 6)]],
    "N": [[(0, 6), (0, 0), (4, 6), (4, 0)]],
    "O": [_arc(2.2, 3, 2.2, 3, 0, 360, 32)],
    "R": [[(0, 6), (0, 0), (2.6, 0)] + _arc(2.6, 1.5, 1.4, 1.5, 90, -90)[1:] + [(0, 3)],
          [(1.9, 3), (4, 6)]],
    "S": [_arc(2, 1.5, 1.8, 1.5, 30, 270, 14) + _arc(2, 4.5, 1.9, 1.5, 90, -150, 16)[1:]],
    "T": [[(0, 0), (4, 0)], [(2, 0), (2, 6)]],
    "V": [[(0, 0), (2, 6), (4, 0)]],
    "Y": [[(0, 0), (2, 3), (4, 0)], [(2, 3), (2, 6)]],
}
ADVANCE = {"M": 4.5, "O": 4.4, " ": 2.4}


def text_width(text, height, spacing=0.45):
    """Width in the caller's units of text set at cap height `height`."""
    u = height / 6.0
    w = 0.0
    for ch in text:
        w += (ADVANCE.get(ch, 4.0) + 4.0 * spacing) * u
    return w - 4.0 * spacing * u if text else 0.0


def draw_text(canvas, text, x, y, height, width_px, spacing=0.45, slant=0.0):
    """Draws text with its top-left at (x, y) and cap height `height` (page units)."""
    u = height / 6.0
    for ch in text:
        for stroke in GLYPHS.get(ch, []):
            pts = [(x + (px + slant * (6 - py)) * u, y + py * u) for px, py in stroke]
            canvas.polyline(pts, width_px)
        x += (ADVANCE.get(ch, 4.0) + 4.0 * spacing) * u
    return x
