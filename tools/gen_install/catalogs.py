"""Azimuth and elevation catalogs with their point files (TV and FM)."""
import math
import os

import patterns as P
from common import num, write_table, write_text

TILT_CODES = list(range(1, 13))  # KVR tilt code c carries 0.25*c degrees

# ---------------------------------------------------------------- TV azimuth

PATTERN_CODES = [
    ("CD", "Cardioid"),
    ("DR", "Directional"),
    ("GS", "Omnidirectional, low profile"),
    ("O", "Omnidirectional (panel)"),
    ("OC", "Omnidirectional"),
    ("PN", "Peanut"),
    ("S", "Skull"),
    ("SQ", "Omnidirectional (square tower)"),
    ("TL", "Trilobe"),
]

# shape code -> horizontal file, vertical-polarization companion file
AZ_FILES = {
    "OC": ("az_oc.pat", "az_oc_v.pat"),
    "O": ("az_o4.pat", "az_o4_v.pat"),
    "GS": ("az_gs.pat", None),
    "SQ": ("az_sq.pat", "az_sq_v.pat"),
    "CD": ("az_cd.pat", "az_cd_v.pat"),
    "PN": ("az_pn.pat", "az_pn_v.pat"),
    "S": ("az_s.pat", "az_s_v.pat"),
    "TL": ("az_tl.pat", "az_tl_v.pat"),
    "DR": ("az_dr.pat", "az_dr_v.pat"),
}

# H_PATTERN_ID, PATTERN_CODE, shape; one family's patterns together
TV_AZ = {
    "KLX-UHF": [("KLX-OC", "OC", "OC"), ("KLX-CD", "CD", "CD"), ("KLX-PN", "PN", "PN"),
                ("KLX-S", "S", "S"), ("KLX-TL", "TL", "TL"), ("KLX-DR", "DR", "DR"),
                ("KLX-GS", "GS", "GS")],
    "KLX-VHF": [("KLXV-OC", "OC", "OC"), ("KLXV-CD", "CD", "CD"), ("KLXV-PN", "PN", "PN"),
                ("KLXV-S", "S", "S")],
    "HOV": [("HOV-OC", "OC", "O"), ("HOV-PN", "PN", "PN"), ("HOV-S", "S", "S")],
    "VARNOK": [("VARNOK-OC", "OC", "SQ"), ("VARNOK-DR", "DR", "DR")],
    "KVR": [("KVR-O", "O", "O"), ("KVR-CD", "CD", "CD"), ("KVR-PN", "PN", "PN"),
            ("KVR-S", "S", "S")],
    "QD-MAX": [("QDX-OC", "OC", "O"), ("QDX-CD", "CD", "CD"), ("QDX-PN", "PN", "PN"),
               ("QDX-S", "S", "S"), ("QDX-TL", "TL", "TL")],
    "QD": [("QD-OC", "OC", "O"), ("QD-CD", "CD", "CD"), ("QD-PN", "PN", "PN")],
    "WEN": [("WEN-OC", "OC", "O"), ("WEN-SQ", "SQ", "SQ"), ("WEN-CD", "CD", "CD")],
}
# families whose horizontal azimuth patterns are offered for polarization E
E_AZ_FAMILIES = ["KLX-UHF", "KLX-VHF", "QD", "WEN"]
# KVR candidates by power code and polarization
KVR_AZ = [("L", "H", ["KVR-O", "KVR-CD", "KVR-PN"]), ("L", "E", ["KVR-O", "KVR-CD"]),
          ("M", "H", ["KVR-O", "KVR-CD", "KVR-PN", "KVR-S"]),
          ("M", "E", ["KVR-O", "KVR-CD", "KVR-PN"])]
# extra vertical companions beyond the one per horizontal pattern
EXTRA_V = {("KLX-UHF", "KLX-OC"): [("KLX-OC-V2", "O", "O")]}

# ---------------------------------------------------------------- TV elevation

# family: (bay spacing in wavelengths, element exponent H, element exponent V, null fill)
ARRAYS = {
    "KLX-UHF": (0.96, 1.0, 0.5, 0.12),
    "KLX-VHF": (1.0, 1.0, 0.5, 0.12),
    "HOV": (0.92, 1.2, None, 0.05),
    "VARNOK": (1.0, 0.8, None, 0.08),
    "KVR": (0.95, 1.5, 0.7, 0.08),
    "QD-MAX": (0.95, 1.5, None, 0.10),
    "QD": (0.92, 1.5, 0.7, 0.05),
    "WEN": (0.92, 1.5, None, 0.05),
}
SMOOTH_FILL = 0.25

# FAMILY_ID, H_POL_ID, BASE_CODE, SMOOTH, BAY_COUNT, default tilt, max tilt, min tilt,
# vertical companion (V_POL_ID or None)
TV_EL = [
    ("KLX-UHF", "KLX2G1", "KLX2", 0, 2, 0.0, 0.0, 0.0, None),
    ("KLX-UHF", "KLX12", "KLX12", 0, 12, 0.75, 2.0, 0.0, "KLX12V"),
    ("KLX-UHF", "KLX16", "KLX16", 0, 16, 0.75, 2.0, 0.0, "KLX16V"),
    ("KLX-UHF", "KLX16S", "KLX16", 1, 16, 0.75, 2.0, 0.0, "KLX16SV"),
    ("KLX-UHF", "KLX20", "KLX20", 0, 20, 0.75, 2.0, 0.0, "KLX20V"),
    ("KLX-UHF", "KLX24", "KLX24", 0, 24, 0.75, 2.0, 0.0, "KLX24V"),
    ("KLX-UHF", "KLX24S", "KLX24", 1, 24, 0.75, 2.0, 0.0, "KLX24SV"),
    ("KLX-UHF", "KLX30", "KLX30", 0, 30, 0.5, 1.5, 0.0, "KLX30V"),
    ("KLX-VHF", "KLX2", "KLX2", 0, 2, 0.0, 1.0, 0.0, "KLX2V"),
    ("KLX-VHF", "KLX4", "KLX4", 0, 4, 0.5, 1.5, 0.0, "KLX4V"),
    ("KLX-VHF", "KLX6", "KLX6", 0, 6, 0.5, 1.5, 0.0, "KLX6V"),
    ("KLX-VHF", "KLX8", "KLX8", 0, 8, 0.5, 1.5, 0.0, "KLX8V"),
    ("HOV", "HOV2", "HOV2", 0, 2, 0.0, 0.0, 0.0, None),
    ("HOV", "HOV4", "HOV4", 0, 4, 0.5, 0.5, 0.5, None),
    ("HOV", "HOV8", "HOV8", 0, 8, 0.75, 0.75, 0.75, None),
    ("VARNOK", "VARNOK2", "VARNOK2", 0, 2, 0.0, 0.0, 0.0, None),
    ("VARNOK", "VARNOK4", "VARNOK4", 0, 4, 0.5, 0.5, 0.5, None),
    ("VARNOK", "VARNOK6", "VARNOK6", 0, 6, 0.5, 0.5, 0.5, None),
    ("VARNOK", "VARNOK8", "VARNOK8", 0, 8, 0.75, 0.75, 0.75, None),
    ("KVR", "KVR8", "KVR8", 0, 8, 0.75, 3.0, 0.25, "KVR8V"),
    ("KVR", "KVR12", "KVR12", 0, 12, 0.75, 3.0, 0.25, "KVR12V"),
    ("KVR", "KVR16", "KVR16", 0, 16, 0.75, 3.0, 0.25, "KVR16V"),
    ("QD-MAX", "QDX8", "QDX8", 0, 8, 0.75, 1.5, 0.5, None),
    ("QD-MAX", "QDX12", "QDX12", 0, 12, 0.75, 1.5, 0.5, None),
    ("QD", "QD4", "QD4", 0, 4, 0.75, 0.75, 0.75, "QD4V"),
    ("QD", "QD8", "QD8", 0, 8, 0.75, 0.75, 0.75, "QD8V"),
    ("WEN", "WEN8", "WEN8", 0, 8, 1.0, 1.0, 1.0, None),
    ("WEN", "WEN12", "WEN12", 0, 12, 1.0, 1.0, 1.0, None),
]
KVR_BAYS = [8, 12, 16]

FAMILY_TEXT = {
    "KLX-UHF": "MIRALDO UHF slot array",
    "KLX-VHF": "MIRALDO VHF slot array",
    "HOV": "HOV high-band VHF panel array",
    "VARNOK": "VARNOK VHF batwing array",
    "KVR": "KVR UHF panel array",
    "QD-MAX": "QD MAX UHF panel array",
    "QD": "QD UHF panel array",
    "WEN": "WEN UHF panel array",
}


def kvr_file(bays, code):
    return "kvr%d_t%02d.pat" % (bays, code)


class Builder:
    def __init__(self, out):
        self.out = out
        self.az_cache = {}
        self.el_cache = {}

    # a point file is written once; its figures are measured from the written values
    def az_file(self, folder, name, values):
        path = os.path.join(self.out, folder, name)
        if path not in self.az_cache:
            P.write_az(path, values)
            self.az_cache[path] = (P.az_directivity(values), P.az_beamwidth(values))
        return self.az_cache[path]

    def el_file(self, folder, name, make):
        path = os.path.join(self.out, folder, name)
        if path not in self.el_cache:
            values = P.round_norm(make())
            P.write_el(path, values)
            self.el_cache[path] = (P.el_directivity(values), P.el_beamwidth(values))
        return self.el_cache[path]

    # ------------------------------------------------------------ TV azimuth
    def tv_azimuth(self):
        d = self.out + "/data/"
        write_table(d + "tblPatternCode_Details.txt", ["PATTERN_CODE", "DESCRIPTION"], PATTERN_CODES)
        hrows, vrows, to_h, to_eh, h_to_v = [], [], [], [], []
        done_v = set()
        for fam, pats in TV_AZ.items():
            for pid, code, shape in pats:
                hfile, vfile = AZ_FILES[shape]
                g, bw = self.az_file("patterns/azimuth/hpol", hfile, P.az_shape(shape))
                hrows.append((pid, code, hfile, round(g, 4), round(bw, 1)))
                if fam != "KVR":
                    to_h.append((fam, pid))
                    if fam in E_AZ_FAMILIES:
                        to_eh.append((fam, pid))
                if (fam in E_AZ_FAMILIES or fam == "KVR") and vfile:
                    comps = [(pid + "-V", code, shape)] + EXTRA_V.get((fam, pid), [])
                    for vid, vcode, vshape in comps:
                        vf = AZ_FILES[vshape][1]
                        if vid not in done_v:
                            gv, bwv = self.az_file("patterns/azimuth/vpol", vf,
                                                   P.az_shape(vshape, variant=20.0))
                            vrows.append((vid, vcode, vf, round(gv, 4), round(bwv, 1)))
                            done_v.add(vid)
                        h_to_v.append((fam, pid, vid))
        write_table(d + "tblAzimuth_H_Patterns.txt",
                    ["H_PATTERN_ID", "PATTERN_CODE", "FILENAME", "GAIN", "BEAMWIDTH"], hrows)
        write_table(d + "tblAzimuth_V_Patterns.txt",
                    ["V_PATTERN_ID", "PATTERN_CODE", "FILENAME", "GAIN", "BEAMWIDTH"], vrows)
        write_table(d + "tblAntenna_To_H_Azimuth.txt", ["FAMILY_ID", "H_PATTERN_ID"], to_h)
        write_table(d + "tblAntenna_To_E_H_Azimuth.txt", ["FAMILY_ID", "H_PATTERN_ID"], to_eh)
        write_table(d + "tblMIRALDO_H_To_V_Azimuth.txt",
                    ["FAMILY_ID", "H_PATTERN_ID", "V_PATTERN_ID"], h_to_v)
        write_table(d + "tblKVR_Power_To_Azimuth.txt", ["POWER", "POLARIZATION", "H_PATTERN_ID"],
                    [(pw, pol, pid) for pw, pol, ids in KVR_AZ for pid in ids])

    # ------------------------------------------------------------ TV elevation
    def tv_elevation(self):
        d = self.out + "/data/"
        cols = ["LABEL", "BASE_CODE", "SMOOTH", "BAY_COUNT", "DESCRIPTION", "GAIN_1",
                "FILENAME", "BEAMWIDTH", "DEFAULT_BEAMTILT", "MAX_BEAMTILT", "MIN_BEAMTILT"]
        hrows, vrows, h_to_v = [], [], []
        # KVR: one file per bay count and tilt step, in both polarization folders
        kvr_rows = []
        sp, eh, ev, fill = ARRAYS["KVR"]
        for bays in KVR_BAYS:
            for code in TILT_CODES:
                tilt = 0.25 * code
                name = kvr_file(bays, code)
                self.el_file("patterns/elevation/hpol", name,
                             lambda b=bays, t=tilt: P.filled_array(b, sp, t, fill, eh))
                self.el_file("patterns/elevation/vpol", name,
                             lambda b=bays, t=tilt: P.filled_array(b, sp, t, fill, ev))
                kvr_rows.append((str(bays), str(code), name))
        write_table(d + "kvr_bays.txt", ["BAY", "BEAMTILT", "FILENAME"], kvr_rows)

        for fam, hid, base, smooth, bays, tilt, tmax, tmin, vid in TV_EL:
            sp, eh, ev, fill = ARRAYS[fam]
            if smooth:
                fill = SMOOTH_FILL
            for pol, pid in (("H", hid), ("V", vid)):
                if pid is None:
                    continue
                folder = "patterns/elevation/%s" % ("hpol" if pol == "H" else "vpol")
                ex = eh if pol == "H" else ev
                if fam == "KVR":
                    name = kvr_file(bays, int(round(tilt / 0.25)))
                else:
                    name = pid.lower() + ".pat"
                g, bw = self.el_file(folder, name,
                                     lambda: P.filled_array(bays, sp, tilt, fill, ex))
                label = "%s %d BAY%s%s" % (base, bays, " SMOOTH" if smooth else "",
                                            " VPOL" if pol == "V" else "")
                desc = "%d-bay %s, %s polarization, %s null fill, %s deg. tilt" % (
                    bays, FAMILY_TEXT[fam], "horizontal" if pol == "H" else "vertical",
                    "%d%%" % round(fill * 100) if bays > 2 else "no", num(tilt))
                row = (fam, pid, label, base, str(smooth), bays, desc, round(g, 3), name,
                       round(bw, 2), tilt, tmax, tmin)
                (hrows if pol == "H" else vrows).append(row)
            if vid:
                h_to_v.append((fam, hid, vid))
        write_table(d + "tblH_Elevation.txt", ["FAMILY_ID", "H_POL_ID"] + cols, hrows)
        write_table(d + "tblV_Elevation.txt", ["FAMILY_ID", "V_POL_ID"] + cols, vrows)
        write_table(d + "tblMIRALDO_H_To_V_Elevation.txt", ["FAMILY_ID", "H_POL_ID", "V_POL_ID"], h_to_v)

    # ------------------------------------------------------------ FM
    def fm_azimuth(self):
        d = self.out + "/FM data/"
        write_table(d + "tblFM_AzPatternCode_Details.txt", ["PATTERN_CODE", "DESCRIPTION"],
                    FM_CODES)
        rows, to_h = [], []
        for fam, pols, pats in FM_AZ:
            for code in pats:
                pid = fam + "-" + code
                name, shape = FM_AZ_FILES[code]
                figs = None
                for pol in pols:
                    folder = "FM patterns/azimuth/" + {"H": "hpol", "V": "vpol", "E": "cpol"}[pol]
                    variant = {"E": 0.0, "H": 12.0, "V": 25.0}[pol]
                    figs = self.az_file(folder, name, P.az_shape(shape, variant=variant))
                rows.append((pid, code, name, round(figs[0], 4), round(figs[1], 1)))
                to_h.append((fam, pid))
        write_table(d + "tblAzimuth_H_Patterns.txt",
                    ["H_PATTERN_ID", "PATTERN_CODE", "FILENAME", "GAIN", "BEAMWIDTH"], rows)
        write_table(d + "tblAntenna_To_H_Azimuth.txt", ["FAMILY_ID", "H_PATTERN_ID"], to_h)

    def fm_elevation(self):
        rows = []
        for fam, feed, bays, spacing in fm_configs():
            gain = fm_plain_gain(fam, bays, spacing)
            code = fm_code(fam, bays, feed, spacing)
            label = "%d BAY, %s FED, %s WAVE SPACED" % (
                bays, {"E": "END", "C": "CENTER", "P": "CORPORATE"}[feed],
                "FULL" if spacing == 1.0 else "HALF")
            desc = "%d bay%s, %s fed, %s wavelength spacing" % (
                bays, "" if bays == 1 else "s", {"E": "end", "C": "center", "P": "corporate"}[feed],
                num(spacing, 1) if spacing != 1.0 else "1.0")
            rows.append((fam, feed, bays, num(spacing, 1) if spacing != 1.0 else "1",
                         code, label, code, desc, round(gain, 4)))
        write_table(self.out + "/FM data/tblFM_Elevation.txt",
                    ["FAMILY_ID", "FEED_CODE", "BAY_COUNT", "BAY_SPACING", "H_POL_ID", "LABEL",
                     "BASE_CODE", "DESCRIPTION", "GAIN"], rows)
        for pol in ("hpol", "vpol", "cpol"):
            write_text(os.path.join(self.out, "FM patterns/elevation", pol, "README.txt"),
                       ["FM elevation patterns are computed by the program from the bay count,",
                        "the bay spacing, the beam tilt and the null fill of the chosen antenna;",
                        "this folder holds no point files."])


FM_CODES = [("OC", "Omnidirectional (top mounted)"),
            ("ST", "Side mounted, 24 in. face tower (typical)"),
            ("SW", "Side mounted, 48 in. face tower (typical)")]
FM_AZ_FILES = {"OC": ("fm_top.pat", "FM-TOP"), "ST": ("fm_side24.pat", "FM-S24"),
               "SW": ("fm_side48.pat", "FM-S48")}
# family, polarizations it offers, pattern codes
FM_AZ = [("RNVX", "E", ["OC", "ST", "SW"]), ("TGX", "E", ["ST", "SW"]),
         ("BKX", "E", ["ST", "SW"]), ("RNVH", "H", ["OC", "ST", "SW"]),
         ("240C", "E", ["ST"]), ("K410", "V", ["ST", "SW"]), ("K460", "V", ["OC", "ST", "SW"]),
         ("VOLKA", "E", ["ST", "SW"])]

# FM arrays offered: family -> [(feed, bays, spacing)]
FM_ARRAYS = {
    "RNVX": [("E", n, 1.0) for n in (2, 4, 6, 8, 10, 12)] + [("E", n, 0.5) for n in (4, 6, 8)]
            + [("C", n, 1.0) for n in (4, 6, 8, 10, 12)],
    "TGX": [("C", n, 1.0) for n in (2, 4, 6, 8)] + [("E", n, 1.0) for n in (1, 2, 3, 4, 6, 8)],
    "BKX": [("C", n, 1.0) for n in (2, 4, 6)] + [("E", n, 1.0) for n in (1, 2, 3, 4, 6)],
    "RNVH": [("E", n, 1.0) for n in (1, 2, 4, 6, 8, 10, 12)],
    "240C": [("E", n, 1.0) for n in (1, 2, 3, 4, 6, 8)],
    "K410": [("E", n, 1.0) for n in (1, 2, 4, 6, 8, 10, 12)] + [("E", n, 0.5) for n in (4, 8)],
    "K460": [("P", n, 1.0) for n in (2, 4, 6, 8, 10, 12)],
    "VOLKA": [("E", n, 1.0) for n in (2, 4, 6, 8)],
}
FM_ELEMENT = {"RNVX": 0.126, "TGX": 0.126, "BKX": 0.126, "RNVH": 0.126, "K410": 0.126,
              "K460": 0.126, "VOLKA": 0.189}
# circularly polarized families split their power between the two components
FM_CIRCULAR = {"RNVX", "TGX", "BKX", "240C", "VOLKA"}


def fm_configs():
    for fam, arrs in FM_ARRAYS.items():
        for feed, bays, spacing in arrs:
            yield fam, feed, bays, spacing


def fm_code(fam, bays, feed, spacing):
    return "%s-%d%s%s" % (fam, bays, feed, "H" if spacing == 0.5 else "")


def fm_plain_gain(fam, bays, spacing):
    """Gain over a dipole of the plain array (no tilt, no fill), the same figure the
    program computes as its reference directivity; halved for circular polarization."""
    n = max(bays, 1)
    s = spacing * 99.6 / 100
    if s <= 0:
        s = 1
    p = FM_ELEMENT.get(fam, 0.0)
    e = []
    for k in range(-900, 901):
        th = math.radians(k / 10.0)
        re = im = 0.0
        for j in range(1, n + 1):
            psi = -2 * math.pi * (j - 1) * s * math.sin(th)
            re += math.cos(psi)
            im += math.sin(psi)
        af = math.sqrt(re * re + im * im) / n
        e.append(af * (p + (1 - p) * math.cos(th)))
    m = max(e) or 1.0
    e = [v / m for v in e]
    d = P.el_directivity(e)
    return d / 2.0 if fam in FM_CIRCULAR else d
