"""Pattern point files and the figures derived from them.

Azimuth files: 360 lines "azimuth field", azimuth 0..359, relative field with its
maximum exactly 1.
Elevation files: 1801 lines "angle field", angle below the horizon from -90 to 90
in 0.1 degree steps, computed from the array factor of the family's bays.
"""
import math
import os

from common import write_text

DIPOLE = 1.640742966
HALF = 1.0 / math.sqrt(2.0)

# ---------------------------------------------------------------- figures

def az_directivity(values):
    """Directivity in the horizontal plane: 1 / mean of the squared field."""
    return len(values) / sum(v * v for v in values)


def half_power_width(xs, ys, peak):
    """Half-power width of the lobe around index `peak` (linear interpolation of the
    field). None when the field never falls below 1/sqrt(2) on a side."""
    n = len(ys)
    k = peak
    while k > 0 and ys[k] > HALF:
        k -= 1
    if ys[k] > HALF:
        return None
    lo = xs[k] + (HALF - ys[k]) / (ys[k + 1] - ys[k]) * (xs[k + 1] - xs[k])
    k = peak
    while k < n - 1 and ys[k] > HALF:
        k += 1
    if ys[k] > HALF:
        return None
    hi = xs[k] - (HALF - ys[k]) / (ys[k - 1] - ys[k]) * (xs[k] - xs[k - 1])
    return hi - lo


def az_beamwidth(values):
    """Half-power width of the main lobe of an azimuth pattern; 360 when the field stays
    above half power all round."""
    if min(values) > HALF:
        return 360.0
    peak = values.index(max(values))
    # walk round the circle: unroll three turns so both edges are found
    ys = values * 3
    xs = list(range(-360, 720))
    w = half_power_width(xs, ys, peak + 360)
    return w if w is not None else 360.0


def el_directivity(values):
    """Directivity over a half-wave dipole of an elevation pattern sampled every 0.1
    degree from -90 to 90, omnidirectional in azimuth (trapezoid rule, degrees)."""
    y = [v * v * math.cos(math.radians((k - 900) / 10.0)) for k, v in enumerate(values)]
    total = 0.0
    for k in range(1, len(y)):
        total += (y[k - 1] + y[k]) / 2.0 * 0.1
    return 360.0 / (math.pi * total) / DIPOLE


def el_beamwidth(values):
    xs = [(k - 900) / 10.0 for k in range(len(values))]
    peak = values.index(max(values))
    return half_power_width(xs, values, peak)

# ---------------------------------------------------------------- writing

def round_norm(values):
    m = max(values)
    out = [round(v / m, 4) for v in values]
    mx = max(out)
    return [v if v != mx else 1.0 for v in out]


def write_az(path, values):
    write_text(path, ["%d %.4f" % (k, v) for k, v in enumerate(values)])


def write_el(path, values):
    write_text(path, ["%.1f %.4f" % ((k - 900) / 10.0, v) for k, v in enumerate(values)])

# ---------------------------------------------------------------- azimuth shapes

def _c(deg):
    return math.cos(math.radians(deg))


def az_shape(code, variant=0.0):
    """Relative field at 0..359 for a shape code. `variant` shifts the shape a little
    so that vertical-polarization companions differ from their horizontal pattern."""
    def f(p):
        if code == "OC":      # slotted cylinder, three slot columns
            return 0.92 + 0.08 * _c(3 * p)
        if code == "O":       # four panels round a square spine
            return 0.90 + 0.10 * _c(4 * p)
        if code == "GS":      # low-profile cylinder, two slot columns
            return 0.94 + 0.06 * _c(2 * p)
        if code == "SQ":      # four panels, square tower
            return 0.86 + 0.14 * _c(4 * p + 45)
        if code == "CD":      # cardioid, about 12 dB front to back
            return 0.25 + 0.75 * ((1 + _c(p)) / 2) ** 1.6
        if code == "PN":      # peanut, two main lobes at 0 and 180
            return math.sqrt(0.12 + 0.88 * _c(p) ** 2)
        if code == "S":       # skull, two lobes at +/-55 degrees, filled front
            g = math.exp(-((((p + 180) % 360) - 180 - 55) / 42.0) ** 2)
            h = math.exp(-((((p + 180) % 360) - 180 + 55) / 42.0) ** 2)
            return 0.18 + 0.82 * max(g, h) + 0.12 * (1 + _c(p)) / 2
        if code == "TL":      # trilobe, lobes at 0, 120, 240
            return 0.42 + 0.58 * ((1 + _c(3 * p)) / 2) ** 1.2
        if code == "DR":      # directional, about 90 degree beam
            return 0.10 + 0.90 * ((1 + _c(p)) / 2) ** 4
        # FM shapes
        if code == "FM-TOP":  # top-mounted, nearly circular
            return 0.97 + 0.03 * _c(2 * p)
        if code == "FM-S24":  # side-mounted on a 24 in. face tower
            return 0.70 + 0.30 * _c(p) - 0.04 * _c(2 * p)
        if code == "FM-S48":  # side-mounted on a 48 in. face tower
            return 0.55 + 0.37 * _c(p) + 0.08 * _c(2 * p)
        raise ValueError(code)
    vals = []
    for p in range(360):
        v = abs(f(p))
        if variant:
            # vertical component: broader and less regular than the horizontal one
            v = 0.45 + 0.55 * abs(f((p + variant) % 360)) * (0.85 + 0.15 * _c(2 * p + 30))
        vals.append(v)
    return round_norm(vals)

# ---------------------------------------------------------------- elevation arrays

def array_pattern(n, spacing, tilt, quad, elem_exp, floor=0.03, taper=0.0):
    """Field of n bays at `spacing` wavelengths, electrical tilt `tilt` degrees below the
    horizon, quadratic phase `quad` radians at the array ends (fills the nulls), element
    field floor + (1 - floor)*cos^elem_exp, optional linear amplitude taper."""
    c = (n - 1) / 2.0
    st = math.sin(math.radians(tilt))
    w = []
    for j in range(n):
        u = (j - c) / c if c > 0 else 0.0
        amp = 1.0 - taper * u
        ph = 2 * math.pi * j * spacing * st + quad * u * u
        w.append((amp * math.cos(ph), amp * math.sin(ph)))
    vals = []
    for k in range(1801):
        th = math.radians((k - 900) / 10.0)
        s = math.sin(th)
        re = im = 0.0
        for j, (a, b) in enumerate(w):
            ps = -2 * math.pi * j * spacing * s
            cp, sp = math.cos(ps), math.sin(ps)
            re += a * cp - b * sp
            im += a * sp + b * cp
        el = floor + (1 - floor) * abs(math.cos(th)) ** elem_exp
        vals.append(math.hypot(re, im) * el)
    return vals


def first_null_fill(vals):
    """Level of the first minimum below the main beam relative to the beam maximum."""
    m = max(vals)
    k = vals.index(m)
    while k < 1800 and vals[k + 1] <= vals[k]:
        k += 1
    if k >= 1800:
        return 1.0
    return vals[k] / m


def filled_array(n, spacing, tilt, fill, elem_exp, taper=0.0):
    """Array whose first null below the beam is filled to `fill` (fraction of the beam
    field), found by bisection on the quadratic phase."""
    if n <= 2 or fill <= 0:
        return array_pattern(n, spacing, tilt, 0.0, elem_exp, taper=taper)
    lo, hi = 0.0, 2.0
    best = None
    for _ in range(24):
        mid = (lo + hi) / 2
        v = array_pattern(n, spacing, tilt, mid, elem_exp, taper=taper)
        if first_null_fill(v) < fill:
            lo = mid
        else:
            hi = mid
            best = v
    return best if best is not None else array_pattern(n, spacing, tilt, hi, elem_exp, taper=taper)
