"""The README of the sample installation."""
import os

from common import write_text

TEXT = """Velmo sample installation
=========================

This folder is the reference data set that the program reads at run time. The build
copies it beside the executables; the program finds it relative to its own location.

  data/                          TV and general reference tables
  patterns/azimuth/hpol, vpol    TV azimuth point files (horizontal / vertical polarization)
  patterns/elevation/hpol, vpol  TV elevation point files
  FM data/                       FM reference tables
  FM patterns/azimuth/hpol, vpol, cpol    FM azimuth point files (horizontal, vertical,
                                          circular polarization)
  FM patterns/elevation/hpol, vpol, cpol  empty: FM elevation patterns are computed
  beamtilt/beamtilt.html         the help page on beam tilt and null fill (Tech menu)

Locale: every number in these files uses "." as the decimal separator. The data set is
written for a locale whose decimal separator is "."; the program reads tables with the
separator of the user's locale settings.

Format: tables are "|"-delimited text with a header row, CR LF line ends, ASCII only. A
table needs a header and at least two rows. Point files hold one point per line, "angle
field": azimuth files 360 lines (azimuth 0 to 359), elevation files 1801 lines (angle
below the horizon from -90 to 90 in 0.1 degree steps); the relative field has its
maximum at exactly 1.

The maker, the antenna families, the part numbers and every figure are invented for this
sample; the channel plans follow the public US, European and Australian band plans.

How the figures were made
-------------------------

The point files and the derived catalog columns are produced by
tools/gen_install/gen_install.py (Python 3, standard library only):

  python3 tools/gen_install/gen_install.py [output folder]

writes the whole installation (except samples/) deterministically.

- Azimuth GAIN is the directivity of the file in the horizontal plane: 1 divided by the
  mean of the squared field over the 360 points. BEAMWIDTH is the half-power width of the
  lobe round the maximum (360 when the field never falls to half power).
- TV elevation files come from the array factor of the family's bays (spacing 0.92 to 1
  wavelength), an element pattern, the electrical tilt given in DEFAULT_BEAMTILT and a
  quadratic phase across the array that fills the first null below the beam to the
  family's figure (5 to 12 percent, 25 percent for the smooth patterns).
  GAIN_1 is the directivity over a half-wave dipole of the file for an antenna
  omnidirectional in azimuth: 360 / (pi * I) / 1.640742966, with I the trapezoid integral
  of field^2 * cos(angle) over -90..90 degrees in 0.1 degree steps. BEAMWIDTH is the
  half-power width of the main beam.
- KVR: one elevation file per bay count and tilt code (kvr_bays.txt), tilt code c
  carrying a tilt of 0.25 * c degrees, in both polarization folders (the vertical files
  describe the vertical component). The catalog row names the file of its default tilt.
- FM elevation GAIN is the directivity over a dipole of the plain array (no tilt, no
  fill) that the program itself computes, with the family's element constant; for the
  circularly polarized families it is halved, the power being shared between the two
  components.
- Transmission lines: coaxial attenuation E1*sqrt(f) + E2*f dB/100 ft, average rating
  min(E4, E3 / attenuation); rigid lines of family SOLDRIFT and the waveguides carry
  per-channel attenuation in tbldbPer100.txt (waveguide figures from the TE10 loss of
  aluminium guide).
"""


def write_readme(out):
    write_text(os.path.join(out, "README"), TEXT.rstrip("\n").split("\n"))
