"""Power ratings and mechanical data."""
import math

import catalogs as C
from common import num, write_table

# ---------------------------------------------------------------- TV ratings

# AntennaID, AntennaPower, bays, HorzNTSC, HorzDTV, VertNTSC, VertDTV, InputDescription
# (kW; NTSC figures are peak visual, DTV figures average)
TV_POWERS = [
    ("HOV", "M", 2, 9.0, 5.0, 4.5, 2.5, "1-5/8 EIA 50 Ohm"),
    ("HOV", "M", 4, 18.0, 10.0, 9.0, 5.0, "3-1/8 EIA 50 Ohm"),
    ("HOV", "M", 8, 27.0, 15.0, 13.5, 7.5, "3-1/8 EIA 50 Ohm"),
    # the vertical digital rating of the low-power 8-bay KVR is not established yet
    ("KVR", "L", 8, 5.4, 3.0, 5.4, None, "1-5/8 EIA 50 Ohm"),
    ("KVR", "L", 12, 8.1, 4.5, 8.1, 4.5, "1-5/8 EIA 50 Ohm"),
    ("KVR", "L", 16, 10.8, 6.0, 10.8, 6.0, "1-5/8 EIA 50 Ohm"),
    ("KVR", "M", 8, 10.8, 6.0, 10.8, 6.0, "3-1/8 EIA 50 Ohm"),
    ("KVR", "M", 12, 16.2, 9.0, 16.2, 9.0, "3-1/8 EIA 50 Ohm"),
    ("KVR", "M", 16, 21.6, 12.0, 21.6, 12.0, "3-1/8 EIA 50 Ohm"),
    ("QD", "L", 4, 1.8, 1.0, 1.8, 1.0, "7/8 EIA 50 Ohm"),
    ("QD", "L", 8, 3.6, 2.0, 3.6, 2.0, "7/8 EIA 50 Ohm"),
    ("QD", "M", 4, 3.6, 2.0, 3.6, 2.0, "1-5/8 EIA 50 Ohm"),
    ("QD", "M", 8, 7.2, 4.0, 7.2, 4.0, "1-5/8 EIA 50 Ohm"),
    ("QD-MAX", "L", 8, 6.3, 3.5, 6.3, 3.5, "1-5/8 EIA 50 Ohm"),
    ("QD-MAX", "L", 12, 9.0, 5.0, 9.0, 5.0, "1-5/8 EIA 50 Ohm"),
    ("QD-MAX", "M", 8, 12.6, 7.0, 12.6, 7.0, "3-1/8 EIA 50 Ohm"),
    ("QD-MAX", "M", 12, 18.0, 10.0, 18.0, 10.0, "3-1/8 EIA 50 Ohm"),
    ("WEN", "L", 8, 1.4, 0.8, 1.4, 0.8, "7/16 DIN FEMALE 50 Ohm"),
    ("WEN", "L", 12, 1.8, 1.0, 1.8, 1.0, "7/16 DIN FEMALE 50 Ohm"),
]

# BAY_COUNT, NTSC_POWER_RATING, DTV_POWER_RATING, CONNECTOR, W1 (lb), CAAC (sq ft)
VARNOK_SPECS = [
    (2, 15, 8.5, "3-1/8 EIA 50 Ohm", 420, 14.5),
    (4, 30, 17, "3-1/8 EIA 50 Ohm", 860, 29.0),
    (6, 45, 25, "6-1/8 EIA 50 Ohm", 1310, 43.5),
    (8, 60, 34, "6-1/8 EIA 50 Ohm", 1750, 58.0),
]

# ---------------------------------------------------------------- FM ratings

# family: kW per bay, lb per bay, sq ft CaAc per bay, [(input, code, kW)]
FM_RATING = {
    "RNVX": (16.0, 95, 3.4, [("3-1/8-inch", "31", 40), ("4-1/16-inch", "41", 60), ("6-1/8-inch", "61", 120)]),
    "RNVH": (16.0, 80, 3.0, [("3-1/8-inch", "31", 40), ("4-1/16-inch", "41", 60), ("6-1/8-inch", "61", 120)]),
    "TGX": (12.0, 55, 2.2, [("1-5/8-inch", "15", 12), ("3-1/8-inch", "31", 18)]),
    "BKX": (9.0, 38, 1.6, [("1-5/8-inch", "15", 9), ("3-1/8-inch", "31", 12)]),
    "240C": (1.0, 12, 0.6, [("Type-N", "N", 0.5), ("7/16-DIN", "D", 1.5), ("7/8-inch", "78", 2)]),
    "K410": (3.0, 30, 1.4, [("1-5/8-inch", "15", 12), ("3-1/8-inch", "31", 36)]),
    "K460": (10.0, 48, 2.0, [("3-1/8-inch", "31", 40), ("4-1/16-inch", "41", 60), ("6-1/8-inch", "61", 120)]),
    "VOLKA": (5.0, 42, 1.9, [("1-5/8-inch", "15", 10), ("3-1/8-inch", "31", 20)]),
}


def fm_power_rows():
    rows = []
    for fam, feed, bays, spacing in C.fm_configs():
        per_bay, lb, ca, inputs = FM_RATING[fam]
        cap = per_bay * bays
        # center feed halves the power through the feed line of each half
        if feed == "C":
            cap *= 1.25
        last = 0.0
        for text, code, conn in inputs:
            rating = min(conn, cap)
            if rating <= last:
                continue
            last = rating
            pn = "%s-%d%s%s-%s" % (fam, bays, feed, "H" if spacing == 0.5 else "", code)
            weight = lb * bays + 8 * (bays - 1) * (2 if spacing == 1.0 else 1) + {"N": 0, "D": 2, "78": 6, "15": 12, "31": 25, "41": 40, "61": 75}[code]
            rows.append((fam, bays, num(spacing, 1) if spacing != 1.0 else "1", feed,
                         round(rating, 2), pn, text, round(weight), round(ca * bays, 1)))
    return rows

# ---------------------------------------------------------------- KVR and QD MAX mechanics

PANELS = {"OC": 4, "CD": 2, "PN": 2, "S": 3, "TL": 3}


def mech_channels():
    return [str(c) for c in range(14, 52)]


def mid_freq(ch):
    # the mechanical tables are cut for the US channel raster; the Euro and Australian
    # channels of the same number lie within a few MHz
    return 470 + 6 * (ch - 14) + 3


def mech_rows(vertical):
    rows = []
    for ch in mech_channels():
        lam_ft = 983.57 / mid_freq(int(ch))
        for bays in (8, 12, 16):
            for code in ("OC", "CD", "PN", "S", "TL"):
                if code == "TL" and (vertical or bays == 16):
                    continue  # the trilobe is a QD MAX pattern (8 and 12 bays, horizontal)
                panels = PANELS[code]
                length = bays * 0.95 * lam_ft + 2.5
                per_panel = 14.0 if not vertical else 18.5
                weight = bays * panels * per_panel + length * 9.5 + 60
                area = front_area(int(ch), bays, code)
                shear = 1.2 * area * 50.0  # 50 psf design pressure
                rows.append((ch, str(bays), code, round(length, 2), round(weight), round(shear)))
    return rows


def front_area(ch, bays, code):
    lam_ft = 983.57 / mid_freq(ch)
    panel = 0.55 * lam_ft * 0.9 * lam_ft  # one panel, about 0.55 x 0.9 wavelength
    exposed = {"OC": 2.0, "CD": 1.0, "PN": 1.0, "S": 1.6, "TL": 1.7}[code]
    return bays * (panel * exposed + 0.35)


def wind_rows():
    rows = []
    ranges = [(14, 20), (21, 30), (31, 40), (41, 51)]
    for beg, end in ranges:
        for bays in (8, 12, 16):
            for code in ("OC", "CD", "PN", "S", "TL"):
                if code == "TL" and bays == 16:
                    continue
                fa = front_area(beg, bays, code)
                side = {"OC": 1.0, "CD": 0.8, "PN": 0.6, "S": 0.9, "TL": 0.95}[code] * fa
                rows.append((beg, end, str(bays), code, round(fa, 1), round(side, 1)))
    return rows


def write_rating_tables(out):
    d = out + "/data/"
    write_table(d + "tblPowers.txt",
                ["AntennaID", "AntennaPower", "AntennaBayCount", "HorzNTSC", "HorzDTV",
                 "VertNTSC", "VertDTV", "InputDescription"],
                [tuple("" if v is None else v for v in r) for r in TV_POWERS])
    write_table(d + "tblVARNOK_Specs.txt",
                ["BAY_COUNT", "NTSC_POWER_RATING", "DTV_POWER_RATING", "CONNECTOR", "W1", "CAAC"],
                VARNOK_SPECS)
    write_table(out + "/FM data/tblFMFamilyID_To_Power.txt",
                ["FAMILY_ID", "BAY_COUNT", "BAY_SPACING", "FEED_CODE", "MAX_POWER", "P/N", "Input",
                 "W1", "C1"], fm_power_rows())
    cols = ["Channel", "BayCount", "PatternCode", "Length", "Weight", "Shear"]
    write_table(d + "tblKVR_H_Mech.txt", cols, mech_rows(False))
    write_table(d + "tblKVR_V_Mech.txt", cols, mech_rows(True))
    write_table(d + "tblKVRWindLoad.txt",
                ["BegChannel", "EndChannel", "BayCount", "PatternID", "FrontArea", "SideArea"],
                wind_rows())
