"""Channel plans, family and option tables, transmission lines."""
import math
from common import num, write_table

# ---------------------------------------------------------------- channel plans

def us_plan():
    rows = []
    low = {2: 54, 3: 60, 4: 66, 5: 76, 6: 82}
    for ch in range(2, 7):
        rows.append((1, str(ch), low[ch], low[ch] + 6))
    for ch in range(7, 14):
        b = 174 + 6 * (ch - 7)
        rows.append((1, str(ch), b, b + 6))
    for ch in range(14, 52):
        b = 470 + 6 * (ch - 14)
        rows.append((1 if ch <= 36 else 0, str(ch), b, b + 6))
    rows.append((1, "FM", 88, 108))
    return rows


def euro_plan():
    rows = []
    for ch, b in ((2, 47), (3, 54), (4, 61)):
        rows.append((0, str(ch), b, b + 7))
    for ch in range(5, 13):
        b = 174 + 7 * (ch - 5)
        rows.append((1, str(ch), b, b + 7))
    for ch in range(21, 70):
        b = 470 + 8 * (ch - 21)
        rows.append((1 if ch <= 48 else 0, str(ch), b, b + 8))
    return rows


def aus_plan():
    rows = []
    vhf = [("6", 174), ("7", 181), ("8", 188), ("9", 195), ("9A", 202),
           ("10", 209), ("11", 216), ("12", 223)]
    for ch, b in vhf:
        rows.append((1, ch, b, b + 7))
    for ch in range(28, 70):
        b = 526 + 7 * (ch - 28)
        rows.append((1 if ch <= 51 else 0, str(ch), b, b + 7))
    return rows


PLANS = {"US": us_plan, "Euro": euro_plan, "Australian": aus_plan}
PLAN_SHORT = {"US": "US", "Euro": "Euro", "Australian": "Aus"}

# TV families by band. VARNOK has no button on the system parameter page but
# keeps complete data so that designs naming it still resolve. It is a side-mounted
# high-band VHF antenna (its report title says so): high-band channels only
# (174 MHz and up), side mount only.
LOW_VHF = ["KLX-VHF", "CTM"]
HIGH_VHF = ["KLX-VHF", "HOV", "VARNOK", "CTM"]
HIGH_BAND_ONLY = {"VARNOK": 174}
UHF = ["KLX-UHF", "KVR", "QD-MAX", "QD", "WEN", "CTM"]
FM_ROW = ["KLX-VHF", "CTM"]

TV_MOUNTS = [("KLX-VHF", "S"), ("KLX-VHF", "T"), ("HOV", "S"), ("VARNOK", "S"),
             ("KLX-UHF", "S"), ("KLX-UHF", "T"), ("KVR", "S"), ("KVR", "T"),
             ("QD-MAX", "S"), ("QD-MAX", "T"), ("QD", "S"), ("WEN", "S"),
             ("CTM", "S"), ("CTM", "T")]
TV_POLS = [("KLX-VHF", "H"), ("KLX-VHF", "E"), ("HOV", "H"), ("VARNOK", "H"),
           ("KLX-UHF", "H"), ("KLX-UHF", "E"), ("KVR", "H"), ("KVR", "E"),
           ("QD-MAX", "H"), ("QD", "H"), ("QD", "E"), ("WEN", "H"), ("WEN", "E"),
           ("CTM", "H"), ("CTM", "E")]


def families_for(ch, beg):
    if ch == "FM":
        return FM_ROW
    if beg < 100:
        return LOW_VHF
    if beg < 300:
        return [f for f in HIGH_VHF if beg >= HIGH_BAND_ONLY.get(f, 0)]
    return UHF


def active_channels(market):
    return [r for r in PLANS[market]() if r[0] == 1]


def write_channel_tables(out):
    for market, plan in PLANS.items():
        write_table(out + "/data/tblChannels_%s.txt" % market,
                    ["ACTIVE", "CHANNEL", "BEG_FREQ", "END_FREQ"], plan())
        rows = []
        for act, ch, beg, end in plan():
            if act != 1:
                continue
            for fam in families_for(ch, beg):
                rows.append((ch, fam))
        write_table(out + "/data/tblChannel_%s_To_Antenna.txt" % PLAN_SHORT[market],
                    ["CHANNEL", "FAMILY_ID"], rows)
    write_table(out + "/data/tblMount_To_Antenna_Type.txt", ["FAMILY_ID", "MOUNT_TYPE"], TV_MOUNTS)
    write_table(out + "/data/tblPolarization_To_Antenna_Type.txt",
                ["FAMILY_ID", "POLARIZATION"], TV_POLS)

# ---------------------------------------------------------------- FM options

FM_CHANNELS = [(1, str(n), 88.0 + 0.2 * (n - 201), 88.2 + 0.2 * (n - 201)) for n in range(201, 301)]

FM_FAMILIES_BY_MARKET = {
    "US": ["RNVX", "TGX", "BKX", "RNVH", "240C", "K410", "K460", "VOLKA", "CTM"],
    # the dual-input IBOC antenna is offered in the US only
    "Euro": ["RNVX", "TGX", "BKX", "RNVH", "240C", "K410", "K460", "CTM"],
    "Aus": ["RNVX", "TGX", "BKX", "RNVH", "240C", "K410", "K460", "CTM"],
}
FM_POLS = [("RNVX", "E"), ("TGX", "E"), ("BKX", "E"), ("RNVH", "H"), ("240C", "E"),
           ("K410", "V"), ("K460", "V"), ("VOLKA", "E"),
           ("CTM", "H"), ("CTM", "E"), ("CTM", "V")]
FM_MOUNTS = [("RNVX", "S"), ("RNVX", "T"), ("TGX", "S"), ("BKX", "S"), ("RNVH", "S"),
             ("RNVH", "T"), ("240C", "S"), ("K410", "S"), ("K460", "S"), ("K460", "T"),
             ("VOLKA", "S"), ("CTM", "S"), ("CTM", "T")]
FM_FEEDS = [("RNVX", "E"), ("RNVX", "C"), ("TGX", "C"), ("TGX", "E"), ("BKX", "C"),
            ("BKX", "E"), ("RNVH", "E"), ("240C", "E"), ("K410", "E"), ("K460", "P"),
            ("VOLKA", "E"), ("CTM", "E"), ("CTM", "C"), ("CTM", "P")]
FM_RADOMES = [("RNVX", "Fiberglass radome per bay"), ("TGX", "Fiberglass radome per bay"),
              ("BKX", "Fiberglass radome per bay"), ("RNVH", "Fiberglass radome per bay"),
              ("K410", "Fiberglass dipole cover"), ("K460", "Fiberglass dipole cover")]
FM_DEICERS = [("RNVX", "Electric deicer, 1100 W per bay"), ("TGX", "Electric deicer, 800 W per bay"),
              ("BKX", "Electric deicer, 600 W per bay"), ("RNVH", "Electric deicer, 1100 W per bay"),
              ("K410", "Electric deicer, 500 W per bay"), ("K460", "Electric deicer, 900 W per bay"),
              ("VOLKA", "Electric deicer, 700 W per bay")]


def write_fm_option_tables(out):
    d = out + "/FM data/"
    write_table(d + "tblFM_Channels_List_US.txt", ["ACTIVE", "CHANNEL", "BEG_FREQ", "END_FREQ"],
                [(a, c, round(b, 1), round(e, 1)) for a, c, b, e in FM_CHANNELS])
    for market, fams in FM_FAMILIES_BY_MARKET.items():
        rows = [(c, f) for _, c, _, _ in FM_CHANNELS for f in fams]
        write_table(d + "tblFM_Channel_To_FamilyID_%s.txt" % market, ["CHANNEL", "FAMILY_ID"], rows)
    write_table(d + "tblFamilyID_To_Polarization_Type.txt", ["FAMILY_ID", "POLARIZATION"], FM_POLS)
    write_table(d + "tblFamilyID_To_Mount_Type.txt", ["FAMILY_ID", "MOUNT_TYPE"], FM_MOUNTS)
    write_table(d + "tblFamilyID_To_Feed_Type.txt", ["FAMILY_ID", "FEED_TYPE"], FM_FEEDS)
    write_table(d + "tblRadomes.txt", ["FAMILY_ID", "DESCRIPTION"], FM_RADOMES)
    write_table(d + "tblDeicers.txt", ["FAMILY_ID", "DESCRIPTION"], FM_DEICERS)

# ---------------------------------------------------------------- transmission lines

# Coaxial lines: attenuation E1*sqrt(f) + E2*f dB/100 ft, average power min(E4, E3/atten).
COAX = [
    # family, beg, end, part, description, E1, E2, E3, E4
    ("FOAMCOAX", 1, 5000, "OFC78-50", "7/8 in. foam dielectric cable, 50 ohm", 0.0365, 0.00022, 2.6, 12),
    ("FOAMCOAX", 1, 2700, "OFC158-50", "1-5/8 in. foam dielectric cable, 50 ohm", 0.0205, 0.00018, 4.0, 40),
    ("AIRCOAX", 1, 1640, "OAC300-50", "3 in. air dielectric cable, 50 ohm", 0.0105, 0.00004, 6.5, 90),
    ("AIRCOAX", 1, 1200, "OAC400-50", "4 in. air dielectric cable, 50 ohm", 0.0082, 0.00003, 8.3, 150),
    ("AIRCOAX", 1, 960, "OAC500-50", "5 in. air dielectric cable, 50 ohm", 0.0066, 0.00003, 10.0, 220),
    ("RIGID", 1, 1600, "ORL318-50", "3-1/8 in. rigid line, 50 ohm, 20 ft sections", 0.0075, 0.00003, 8.5, 90),
    ("RIGID", 1, 1200, "ORL416-50", "4-1/16 in. rigid line, 50 ohm, 20 ft sections", 0.0058, 0.000025, 11.5, 160),
    ("RIGID", 470, 698, "ORL618QPT", "6-1/8 in. rigid line, vertical run; waveguide horizontal run via QPT transition", 0.0039, 0.00002, 16.0, 380),
]
# Rigid lines whose attenuation is tabulated per channel (section lengths chosen per channel).
SOLDRIFT = [
    ("HBR675B", 54, 806, "6-1/8 in. rigid line, 75 ohm, channel-cut sections", 0.0040, 0.00002, 400),
    ("HBR775", 54, 698, "7-3/16 in. rigid line, 75 ohm, channel-cut sections", 0.0034, 0.000018, 520),
    ("HBR875B", 54, 608, "8-3/16 in. rigid line, 75 ohm, channel-cut sections", 0.0030, 0.000016, 700),
]
# Rectangular aluminium waveguide: (part, a in, b in, beg, end, E4, first channel, last channel)
WAVEGUIDE = [
    ("WR1800", 18.0, 9.0, 430, 620, 900, 14, 36),
    ("WR1500", 15.0, 7.5, 470, 750, 700, 14, 51),
    ("WR1150", 11.5, 5.75, 620, 960, 450, 40, 51),
]


def waveguide_db100(a_in, b_in, f_mhz):
    a = a_in * 0.0254
    b = b_in * 0.0254
    f = f_mhz * 1e6
    fc = 299792458.0 / (2 * a)
    sigma = 3.5e7  # aluminium
    mu0 = 4e-7 * math.pi
    rs = math.sqrt(math.pi * f * mu0 / sigma)
    eta = 376.73
    r = (fc / f) ** 2
    alpha = rs / (b * eta * math.sqrt(1 - r)) * (1 + 2 * b / a * r)  # Np/m
    return alpha * 8.686 * 30.48


def us_line_channels():
    """(channel text, mid frequency) of every US channel a line can be asked for."""
    out = []
    for act, ch, beg, end in us_plan():
        out.append((ch, (beg + end) / 2.0 if ch != "FM" else 98.0))
    for _, ch, beg, end in FM_CHANNELS:
        out.append((ch, (beg + end) / 2.0))
    return out


def write_line_tables(out):
    rows = []
    for fam, beg, end, part, desc, e1, e2, e3, e4 in COAX:
        rows.append((fam, beg, end, part, desc, e1, e2, e3, e4))
    for part, beg, end, desc, e1, e2, e4 in SOLDRIFT:
        rows.append(("SOLDRIFT", beg, end, part, desc, 0, 0, 0, e4))
    for part, a, b, beg, end, e4, c0, c1 in WAVEGUIDE:
        rows.append(("WAVEGUIDE", beg, end, part, "%s rectangular waveguide, aluminium" % part, 0, 0, 0, e4))
    write_table(out + "/data/tblTransmissionLines.txt",
                ["FAMILY", "BEG_FREQUENCY", "END_FREQUENCY", "PART_NUMBER", "DESCRIPTION",
                 "E1", "E2", "E3", "E4"], rows)
    db = []
    chans = us_line_channels()
    for part, beg, end, desc, e1, e2, e4 in SOLDRIFT:
        for ch, f in chans:
            if beg <= f <= end:
                db.append((part, ch, round(e1 * math.sqrt(f) + e2 * f, 4)))
    for part, a, b, beg, end, e4, c0, c1 in WAVEGUIDE:
        for ch, f in chans:
            if ch.isdigit() and c0 <= int(ch) <= c1:
                db.append((part, ch, round(waveguide_db100(a, b, f), 4)))
    write_table(out + "/data/tbldbPer100.txt", ["LINE", "CHANNEL", "DB_100"], db)
