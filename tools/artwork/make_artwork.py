#!/usr/bin/env python3
"""Draws the report's pictures and writes them as GIF files.

    python3 tools/artwork/make_artwork.py [OUTPUT_DIR]

OUTPUT_DIR defaults to src/report/images beside this tool. Every picture is drawn in the
page units of the rectangle the report stretches it into (1/100 inch), so each part lands
exactly under the page texts that name it; see README.md for the positions.
The output is byte-for-byte reproducible.
"""

import math
import os
import sys

from raster import Canvas, arc_points, write_gif
from strokefont import draw_text, text_width

HERE = os.path.dirname(os.path.abspath(__file__))

# name: (pixel width, pixel height, page rectangle the picture fills)
PICTURES = {
    "Orvane_LOGO2": (953, 63, (105, 1005, 445, 1025)),
    "Orvane_FOOTER": (2250, 150, (70, 955, 775, 1000)),
    "SIDE_MOUNT": (574, 841, (130, 120, 710, 970)),
    "TOP_MOUNT": (583, 850, (130, 120, 710, 970)),
    "ANALYSIS": (1128, 2358, (390, 200, 735, 950)),
    "FMANALYSIS": (236, 662, (75, 200, 320, 920)),
}


# --- shared pieces -------------------------------------------------------------------

def emblem(c, x, y, size, w_px):
    """The Orvane emblem: a lattice mast with two arcs of waves on each side, inside a
    size x size box whose top-left is (x, y)."""
    s = size / 20.0
    cx = x + 10 * s
    top = y + 4 * s
    c.polyline([(x + 5 * s, y + 19 * s), (cx, top), (x + 15 * s, y + 19 * s)], w_px)
    c.line(x + 7.1 * s, y + 13 * s, x + 12.9 * s, y + 13 * s, w_px * 0.8)
    c.line(x + 8.4 * s, y + 9 * s, x + 11.6 * s, y + 9 * s, w_px * 0.8)
    for r in (4.5, 8.0):
        c.polyline(arc_points(cx, top, r * s, r * s, -40, 40, 10), w_px * 0.8)
        c.polyline(arc_points(cx, top, r * s, r * s, 140, 220, 10), w_px * 0.8)


def coax_straight(c, x0, y0, x1, y1, half, w_px):
    """A transmission line run: white inside, two edges, between centre points."""
    if x0 == x1:
        c.erase_rect(x0 - half, min(y0, y1), x0 + half, max(y0, y1))
        c.line(x0 - half, y0, x1 - half, y1, w_px)
        c.line(x0 + half, y0, x1 + half, y1, w_px)
    else:
        c.erase_rect(min(x0, x1), y0 - half, max(x0, x1), y0 + half)
        c.line(x0, y0 - half, x1, y1 - half, w_px)
        c.line(x0, y0 + half, x1, y1 + half, w_px)


def coax_elbow(c, cx, cy, radius, half, a0, a1, w_px):
    """A 90 degree elbow of a line run: the quarter ring about the bend centre (cx, cy)
    between angles a0 and a1 (degrees, 0 = +x, 90 = up, a0 < a1)."""
    r0 = radius - half
    r1 = radius + half

    def inside(x, y):
        dx = x - cx
        dy = cy - y
        if not r0 * r0 <= dx * dx + dy * dy <= r1 * r1:
            return False
        a = math.degrees(math.atan2(dy, dx)) % 360
        return a0 <= a <= a1 or a0 <= a + 360 <= a1

    c.fill(inside, (cx - r1, cy - r1, cx + r1, cy + r1), 0.0, ss=2)
    c.polyline(arc_points(cx, cy, r0, r0, a0, a1, 24), w_px)
    c.polyline(arc_points(cx, cy, r1, r1, a0, a1, 24), w_px)


def coax_elbow_down_right(c, cx, cy, radius, half, w_px):
    """The elbow from a line coming down (centre x = cx - radius) to a line running
    right (centre y = cy + radius); (cx, cy) is the bend centre."""
    coax_elbow(c, cx, cy, radius, half, 180, 270, w_px)


def flange_h(c, x_left, x_right, y, w_px, gap=2.0):
    """A flange across a vertical line: two short horizontal strokes."""
    c.line(x_left, y, x_right, y, w_px)
    c.line(x_left, y + gap, x_right, y + gap, w_px)


def flange_v(c, x, y_top, y_bottom, w_px, gap=2.0):
    c.line(x, y_top, x, y_bottom, w_px)
    c.line(x + gap, y_top, x + gap, y_bottom, w_px)


def ground(c, x0, x1, y, w_px, tick, hatch=True):
    c.line(x0, y, x1, y, w_px)
    if hatch:
        x = x0 + tick
        while x <= x1:
            c.line(x, y, x - tick, y + tick, w_px * 0.6)
            x += tick * 1.6


def lattice(c, left_top, right_top, left_bottom, right_bottom, y_top, y_bottom, panels,
            w_leg, w_brace):
    """A lattice tower face between y_top and y_bottom: straight legs, struts and X braces."""
    def lx(y):
        t = (y - y_top) / (y_bottom - y_top)
        return left_top + (left_bottom - left_top) * t

    def rx(y):
        t = (y - y_top) / (y_bottom - y_top)
        return right_top + (right_bottom - right_top) * t

    c.line(left_top, y_top, left_bottom, y_bottom, w_leg)
    c.line(right_top, y_top, right_bottom, y_bottom, w_leg)
    ys = [y_top + (y_bottom - y_top) * i / panels for i in range(panels + 1)]
    for y in ys:
        c.line(lx(y), y, rx(y), y, w_brace)
    for a, b in zip(ys, ys[1:]):
        c.line(lx(a), a, rx(b), b, w_brace)
        c.line(rx(a), a, lx(b), b, w_brace)


def break_line(c, x0, x1, y, w_px, amp=6):
    """A zig-zag break across a structure that continues beyond the drawing."""
    mid = (x0 + x1) / 2
    c.polyline([(x0 - 8, y), (mid - 6, y), (mid - 2, y - amp), (mid + 2, y + amp),
                (mid + 6, y), (x1 + 8, y)], w_px)


def arrow_head(c, x, y, dx, dy, size, w_px):
    """An open arrow head with its tip at (x, y) pointing along (dx, dy) (unit vector)."""
    px, py = -dy, dx
    c.line(x, y, x - dx * size + px * size * 0.4, y - dy * size + py * size * 0.4, w_px)
    c.line(x, y, x - dx * size - px * size * 0.4, y - dy * size - py * size * 0.4, w_px)


def dim_vertical(c, x, y0, y1, w_px, label, label_x, size=22):
    c.line(x, y0, x, y1, w_px)
    arrow_head(c, x, y0, 0, -1, 12, w_px)
    arrow_head(c, x, y1, 0, 1, 12, w_px)
    draw_text(c, label, label_x, (y0 + y1) / 2 - size / 2, size, w_px * 1.6)


def dim_horizontal(c, x0, x1, y, w_px, label, size=22):
    """A dimension between two close edges: arrows outside pointing in."""
    c.line(x0 - 30, y, x1 + 30, y, w_px)
    arrow_head(c, x0, y, 1, 0, 10, w_px)
    arrow_head(c, x1, y, -1, 0, 10, w_px)
    w = text_width(label, size)
    draw_text(c, label, (x0 + x1) / 2 - w / 2, y - size - 10, size, w_px * 1.6)


# --- the logo strip and the footer band ------------------------------------------------

def draw_logo(c):
    # Drawn in the 340 x 20 page rectangle; y = 10 is the line of the page border that
    # the strip straddles, so the rule after the tagline continues the border.
    L, T = c.left, c.top
    emblem(c, L + 9, T + 3, 16.5, 4.5)
    x = draw_text(c, "ORVANE", L + 33, T + 3, 14, 6.0, spacing=0.5)
    c.line(x + 3, T + 4, x + 3, T + 16, 2.5)
    tag = "BROADCAST ANTENNA SYSTEMS"
    x2 = draw_text(c, tag, x + 10, T + 6.5, 7, 3.0, spacing=0.55)
    c.line(x2 + 4, T + 10, c.right, T + 10, 4.6)


def draw_footer(c):
    L, T, R = c.left, c.top, c.right
    c.line(L, T + 3, R, T + 3, 5.0)
    c.line(L, T + 6, R, T + 6, 2.0)
    emblem(c, L + 6, T + 11, 30, 6.0)
    x = draw_text(c, "ORVANE", L + 44, T + 16, 20, 8.0, spacing=0.5)
    draw_text(c, "BROADCAST ANTENNA SYSTEMS", x + 18, T + 22, 10, 4.0, spacing=0.55)
    right_text = "TV AND FM"
    w = text_width(right_text, 10, spacing=0.55)
    draw_text(c, right_text, R - 8 - w, T + 22, 10, 4.0, spacing=0.55)
    c.line(L, T + 42, R, T + 42, 2.0)


# --- the mounting drawings -------------------------------------------------------------

def radome(c, x0, x1, y_top, y_bottom, seams, w_px):
    """A cylindrical radome with a domed top and section seams."""
    cx = (x0 + x1) / 2
    r = (x1 - x0) / 2
    c.erase_rect(x0, y_top, x1, y_bottom)
    c.line(x0, y_top, x0, y_bottom, w_px)
    c.line(x1, y_top, x1, y_bottom, w_px)
    c.polyline(arc_points(cx, y_top, r, r * 0.6, 0, 180, 24), w_px)
    c.line(x0, y_bottom, x1, y_bottom, w_px)
    for y in seams:
        c.line(x0 - 3, y, x1 + 3, y, w_px * 0.6)
        c.line(x0 - 3, y + 3, x1 + 3, y + 3, w_px * 0.6)


def draw_side_mount(c):
    # Local frame: page rectangle (130, 120, 710, 970); work relative to its corner.
    L, T = c.left, c.top
    w = 2.2
    # Tower section: two legs of one face, continuing above and below the drawing.
    lattice(c, L + 330, L + 450, L + 330, L + 450, T + 60, T + 820, 10, 3.0, 1.6)
    break_line(c, L + 330, L + 450, T + 60, 1.6)
    break_line(c, L + 330, L + 450, T + 820, 1.6)
    # Antenna beside the left leg.
    ax0, ax1 = L + 200, L + 244
    acx = (ax0 + ax1) / 2
    radome(c, ax0, ax1, T + 90, T + 660, [T + 230, T + 370, T + 510], w)
    # Support pipe, input flange and the line down to the tower.
    c.erase_rect(acx - 9, T + 660, acx + 9, T + 712)
    c.line(acx - 9, T + 660, acx - 9, T + 706, w)
    c.line(acx + 9, T + 660, acx + 9, T + 706, w)
    c.rect(acx - 18, T + 706, acx + 18, T + 714, w)
    coax_straight(c, acx, T + 714, acx, T + 740, 7, w)
    coax_elbow_down_right(c, acx + 20, T + 740, 20, 7, w)
    coax_straight(c, acx + 20, T + 760, L + 292, T + 760, 7, w)
    coax_elbow(c, L + 292, T + 780, 20, 7, 0, 90, w)
    coax_straight(c, L + 312, T + 780, L + 312, T + 830, 7, w)
    flange_v(c, acx + 20, T + 750, T + 770, w * 0.8)
    flange_h(c, L + 302, L + 322, T + 780, w * 0.8)
    # Mounting brackets: arms from the antenna to the leg with clamps at both ends.
    for y in (T + 160, T + 400, T + 640):
        c.erase_rect(ax1, y - 5, L + 330, y + 5)
        c.line(ax1, y - 5, L + 330, y - 5, w)
        c.line(ax1, y + 5, L + 330, y + 5, w)
        c.rect(ax1 - 4, y - 10, ax1 + 6, y + 10, w)
        c.rect(L + 322, y - 12, L + 338, y + 12, w)
        c.line(ax1 + 10, y + 5, L + 330, y + 60, w * 0.8)
    # Dimensions: overall height (A) and radome diameter (C).
    c.line(ax0 - 6, T + 77, L + 70, T + 77, 1.2)
    c.line(acx - 18 - 6, T + 714, L + 70, T + 714, 1.2)
    dim_vertical(c, L + 90, T + 77, T + 714, 1.6, "A", L + 50)
    c.line(ax0, T + 84, ax0, T + 50, 1.2)
    c.line(ax1, T + 84, ax1, T + 50, 1.2)
    dim_horizontal(c, ax0, ax1, T + 56, 1.6, "C", 18)


def draw_top_mount(c):
    L, T = c.left, c.top
    w = 2.2
    # Tower top: a tapering section with a top plate, continuing below the drawing.
    top_y = T + 540
    lattice(c, L + 225, L + 355, L + 200, L + 380, top_y, T + 820, 4, 3.0, 1.6)
    break_line(c, L + 200, L + 380, T + 820, 1.6)
    c.rect(L + 215, top_y - 8, L + 365, top_y, w)
    # Antenna on the plate: radome, support pipe, base flange with bolts.
    ax0, ax1 = L + 268, L + 312
    acx = (ax0 + ax1) / 2
    radome(c, ax0, ax1, T + 90, T + 470, [T + 220, T + 350], w)
    c.line(acx - 11, T + 470, acx - 11, T + 518, w)
    c.line(acx + 11, T + 470, acx + 11, T + 518, w)
    c.rect(acx - 46, T + 518, acx + 46, top_y - 8, w)
    for bx in (acx - 38, acx - 24, acx + 24, acx + 38):
        c.line(bx, T + 512, bx, top_y + 6, w * 0.8)
    # Input: the line leaves the pipe sideways, turns down and follows the right leg.
    c.rect(acx + 11, T + 484, acx + 19, T + 504, w)
    coax_straight(c, acx + 19, T + 494, L + 398, T + 494, 7, w)
    c.erase_rect(L + 398, T + 487, L + 420, T + 501)
    c.polyline(arc_points(L + 398, T + 514, 27, 27, 90, 0, 16), w)
    c.polyline(arc_points(L + 398, T + 514, 13, 13, 90, 0, 12), w)
    coax_straight(c, L + 418, T + 514, L + 418, T + 820, 7, w)
    for y in (T + 600, T + 700):
        flange_h(c, L + 409, L + 427, y, w * 0.8)
        c.line(L + 411, y + 40, L + 370, y + 40, w * 0.8)  # clamp to the leg
    # Dimensions.
    c.line(ax0 - 6, T + 77, L + 120, T + 77, 1.2)
    c.line(acx - 52, top_y - 8, L + 120, top_y - 8, 1.2)
    dim_vertical(c, L + 140, T + 77, top_y - 8, 1.6, "A", L + 100)
    c.line(ax0, T + 84, ax0, T + 50, 1.2)
    c.line(ax1, T + 84, ax1, T + 50, 1.2)
    dim_horizontal(c, ax0, ax1, T + 56, 1.6, "C", 18)


# --- the power analysis drawings -------------------------------------------------------
# Page positions (page units, 1/100 inch) shared with the analysis page texts.

TV_LINE_X = 429          # centre of the vertical run; its edges are 422 and 436
TV_LINE_HALF = 7
TV_ELBOW_Y = 858         # centre of the horizontal run; its edges are 851 and 865
TV_BEND_RADIUS = 14
TV_BOX = (538, 818, 730, 942)
TV_ANTENNA = (418, 270, 440, 486)    # radome cylinder: left, top, right, bottom
TV_INPUT_Y = 500         # antenna input flange / top of the line
TV_GROUND_Y = 946

FM_LINE_X = 110          # centre of the vertical run; edges 102 and 118
FM_LINE_HALF = 8
FM_STUB_Y = 887.5        # centre of the stub; edges 879.5 and 895.5
FM_BEND_RADIUS = 16
FM_STUB_END = 150        # left edge of the first loss box
FM_BAYS = (250, 310, 370, 430)
FM_GROUND_Y = 910


def draw_analysis(c):
    w = 4.5      # main strokes, pixels (about 1.4 page units)
    thin = 2.6
    x0, top, x1, bottom = TV_ANTENNA
    cx = TV_LINE_X
    # Tower under the antenna; the line runs down its centre, in front of the bracing.
    lattice(c, 412, 446, 400, 458, TV_INPUT_Y, TV_GROUND_Y, 8, w, thin)
    for fx in (400, 458):
        c.rect(fx - 6, TV_GROUND_Y - 5, fx + 6, TV_GROUND_Y, thin)
    ground(c, 392, 733, TV_GROUND_Y, w, 4)
    # Antenna: slotted cylinder with a domed top, lightning rod and base flange.
    radome(c, x0, x1, top, bottom, [], w)
    c.line(cx, top - 6.6, cx, 240, w)
    c.polyline([(x0, bottom), (x0 - 2, bottom + 8), (x1 + 2, bottom + 8), (x1, bottom)], w)
    c.rect(x0 - 6, bottom + 8, x1 + 6, TV_INPUT_Y, w)
    y = top + 12
    k = 0
    while y + 14 <= bottom - 8:
        sx = cx - 4 if k % 2 == 0 else cx + 4
        c.line(sx, y, sx, y + 14, thin * 1.2)
        y += 24
        k += 1
    # The line: vertical run, elbow, horizontal run into the transmitter.
    bend_cx = cx + TV_BEND_RADIUS
    bend_cy = TV_ELBOW_Y - TV_BEND_RADIUS
    coax_straight(c, cx, TV_INPUT_Y, cx, bend_cy, TV_LINE_HALF, w)
    coax_elbow_down_right(c, bend_cx, bend_cy, TV_BEND_RADIUS, TV_LINE_HALF, w)
    coax_straight(c, bend_cx, TV_ELBOW_Y, TV_BOX[0], TV_ELBOW_Y, TV_LINE_HALF, w)
    for fy in range(560, int(bend_cy) - 40, 70):
        flange_h(c, cx - 10, cx + 10, fy, thin)
    flange_h(c, cx - 10, cx + 10, bend_cy - 2, thin)
    flange_v(c, bend_cx, TV_ELBOW_Y - 10, TV_ELBOW_Y + 10, thin)
    flange_v(c, 495, TV_ELBOW_Y - 10, TV_ELBOW_Y + 10, thin)
    flange_v(c, TV_BOX[0] - 6, TV_ELBOW_Y - 11, TV_ELBOW_Y + 11, thin, gap=3)
    # Transmitter cabinet: the page writes its texts inside.
    l, t, r, b = TV_BOX
    c.erase_rect(l, t, r, b)
    c.rect(l, t, r, b, w * 1.2)
    for fx in (l + 12, r - 22):
        c.rect(fx, b, fx + 10, TV_GROUND_Y, thin)


def draw_fm_analysis(c):
    w = 2.2      # about one picture pixel per page unit here
    thin = 1.6
    cx = FM_LINE_X
    half = FM_LINE_HALF
    # Mast from the top of the array down to the ground.
    c.line(80, 214, 80, FM_GROUND_Y, w)
    c.line(86, 214, 86, FM_GROUND_Y, w)
    c.line(78, 214, 88, 214, w)
    ground(c, 75, 140, FM_GROUND_Y, w, 3)
    # Four bays: ring elements on booms from the mast, fed by an interbay line.
    feed_top = FM_BAYS[0]
    coax_straight(c, cx, feed_top, cx, 452, 3, thin)
    for y in FM_BAYS:
        c.line(86, y - 2, 94, y - 2, thin)
        c.line(86, y + 2, 94, y + 2, thin)
        c.ellipse(cx, y, 16, 7, w)
        c.rect(cx - 3.5, y - 3, cx + 3.5, y + 3, thin)
    c.line(cx - 3, 452, cx - half, 468, thin)
    c.line(cx + 3, 452, cx + half, 468, thin)
    # Main line with flanges, clamped to the mast, elbow at the bottom, stub to the boxes.
    bend_cx = cx + FM_BEND_RADIUS
    bend_cy = FM_STUB_Y - FM_BEND_RADIUS
    coax_straight(c, cx, 468, cx, bend_cy, half, w)
    coax_elbow_down_right(c, bend_cx, bend_cy, FM_BEND_RADIUS, half, w)
    coax_straight(c, bend_cx, FM_STUB_Y, FM_STUB_END, FM_STUB_Y, half, w)
    flange_h(c, cx - half - 3, cx + half + 3, 468, thin)
    for fy in range(530, int(bend_cy) - 30, 64):
        flange_h(c, cx - half - 3, cx + half + 3, fy, thin)
        c.line(86, fy + 30, cx - half, fy + 30, thin)
    flange_h(c, cx - half - 3, cx + half + 3, bend_cy - 2, thin)
    flange_v(c, bend_cx, FM_STUB_Y - half - 3, FM_STUB_Y + half + 3, thin)


DRAWERS = {
    "Orvane_LOGO2": draw_logo,
    "Orvane_FOOTER": draw_footer,
    "SIDE_MOUNT": draw_side_mount,
    "TOP_MOUNT": draw_top_mount,
    "ANALYSIS": draw_analysis,
    "FMANALYSIS": draw_fm_analysis,
}


def build(name):
    w, h, rect = PICTURES[name]
    c = Canvas(w, h, rect)
    DRAWERS[name](c)
    return c


def main(argv):
    out = argv[1] if len(argv) > 1 else os.path.join(HERE, "..", "..", "src", "report", "images")
    os.makedirs(out, exist_ok=True)
    for name in PICTURES:
        c = build(name)
        path = os.path.join(out, name + ".gif")
        write_gif(path, c)
        print("%-14s %4d x %4d  %s" % (name, c.w, c.h, os.path.normpath(path)))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
