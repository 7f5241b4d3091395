#include "product/mechanical.h"

#include <cmath>

#include "base/error.h"
#include "base/folders.h"
#include "base/numbers.h"
#include "refdata/texttable.h"

namespace velmo {

namespace {

long long IntDef(const std::string& text, long long def) {
    long long v = 0;
    return TryStrToInt(text, v) ? v : def;
}

std::string ClimbingDevice(const TMechanicalInputs& in, const char* other) {
    return in.MountCode == "S" ? "NOT APPLICABLE" : other;
}

// The KVR and QD-MAX procedure over the given mechanical table.
void TableMechanical(const TMechanicalInputs& in, const std::string& mechTable,
                     TMechanicalData& data) {
    const std::string channelText = in.ChannelNumber;
    const long long channel = IntDef(in.ChannelNumber, 0);
    const std::string bays = FormatInt(in.HBayCount);
    // A code that is exactly "O" stands for "OC" in these tables.
    const std::string pattern = in.AzPatternCode == "O" ? "OC" : in.AzPatternCode;

    TTextTable mech;
    mech.LoadFromFile(DataPath() + mechTable);
    for (; !mech.Eof(); mech.MoveNext()) {
        if (mech.Field("Channel") == channelText && mech.Field("BayCount") == bays &&
            mech.Field("PatternCode") == pattern) {
            data.Length = mech.FloatFieldDef("Length", 0);
            data.TotalLength = data.Length;
            data.Weight = mech.FloatFieldDef("Weight", 0);
            data.Shear = mech.FloatFieldDef("Shear", 0);
            data.RadomeDiameter = 0;
            break;
        }
    }

    TTextTable wind;
    wind.LoadFromFile(DataPath() + "tblKVRWindLoad.txt");
    for (; !wind.Eof(); wind.MoveNext()) {
        if (IntDef(wind.Field("BegChannel"), 0) <= channel &&
            channel <= IntDef(wind.Field("EndChannel"), 0) && wind.Field("BayCount") == bays &&
            wind.Field("PatternID") == pattern) {
            data.Ac = wind.FloatFieldDef("FrontArea", 0);
            data.CaAc = 1.2 * data.Ac;
            data.SideAc = wind.FloatFieldDef("SideArea", 0);
            data.SideCaAc = 1.2 * data.SideAc;
            break;
        }
    }
    data.ClimbingDevice = "NOT APPLICABLE";
}

bool HasWavelength(const TMechanicalInputs& in) {
    return in.MidFreq > 0 && std::isfinite(in.MidFreq);
}

}  // namespace

double Wavelength(double midFreq) { return 11802.2 / midFreq; }

bool IsFMFamily(const std::string& f) {
    return f == "RNVX" || f == "RNVH" || f == "TGX" || f == "BKX" || f == "240C" ||
           f == "K410" || f == "K460" || f == "VOLKA";
}

void GetMechanical(const TMechanicalInputs& in, TMechanicalData& data) {
    const std::string& f = in.FamilyID;
    if (f == "KLX-VHF")
        GetMiraldoVHFMechanical(in, data);
    else if (f == "VARNOK")
        GetVARNOKMechanical(in, data);
    else if (f == "KLX-UHF" || (f == "CTM" && in.SystemType == "TV"))
        GetMiraldoUHFMechanical(in, data);
    else if (f == "KVR")
        GetKVRMechanical(in, data);
    else if (f == "QD-MAX")
        GetQDMaxMechanical(in, data);
    else if (IsFMFamily(f) || (f == "CTM" && in.SystemType == "FM"))
        GetFMMechanical(in, data);
    else
        GetDefaultMechanical(in, data);
}

void GetKVRMechanical(const TMechanicalInputs& in, TMechanicalData& data) {
    TableMechanical(in, in.PolCode == "H" ? "tblKVR_H_Mech.txt" : "tblKVR_V_Mech.txt", data);
    data.RadomeColor = in.PolCode == "H" ? "GRAY" : "WHITE";
}

void GetQDMaxMechanical(const TMechanicalInputs& in, TMechanicalData& data) {
    TableMechanical(in, "tblKVR_H_Mech.txt", data);
    data.RadomeColor = "GRAY";
}

void GetMiraldoUHFMechanical(const TMechanicalInputs& in, TMechanicalData& data) {
    data.ClimbingDevice = ClimbingDevice(in, "Galvanized Steel Pole");
    data.RadomeColor = "AVIATION ORANGE (standard)";
    // Without a centre frequency there is no wavelength: the heights stay as they are
    // instead of becoming infinite.
    if (!HasWavelength(in)) return;
    double n = std::nearbyint(in.HGain);
    if (n >= 15 && n <= 19)
        n += 1;
    else if (n >= 20 && n <= 26)
        n += 2;
    else if (n >= 27 && n <= 34)
        n += 3;
    if (in.HSmooth) n += 2;
    const double lambda = Wavelength(in.MidFreq);
    const double a = (n - 1) * 0.98 * lambda;
    double b;
    if (in.MountCode != "T")
        b = 5 * lambda / 4 - 2;
    else if (in.HighWind)
        b = 9 * lambda / 4 - 2;
    else
        b = 7 * lambda / 4 - 4.5;
    const double c = lambda + 10.5;
    data.Length = (a + b + c) / 12;
    data.TotalLength = data.Length + 3;
}

void GetMiraldoVHFMechanical(const TMechanicalInputs& in, TMechanicalData& data) {
    data.ClimbingDevice = ClimbingDevice(in, "Galvanized Steel Pole");
    data.RadomeColor = "AVIATION ORANGE (standard)";
}

void GetVARNOKMechanical(const TMechanicalInputs& in, TMechanicalData& data) {
    data.ClimbingDevice = "NOT APPLICABLE";
    data.RadomeDiameter = 0;
    data.RadomeColor.clear();
    data.Length = data.TotalLength = data.Ac = data.CaAc = data.SideAc = data.SideCaAc = 0;
    TTextTable t;
    t.LoadFromFile(DataPath() + "tblVARNOK_Specs.txt");
    for (; !t.Eof(); t.MoveNext()) {
        const std::string cell = t.Field("BAY_COUNT");
        long long bays = 0;
        if (!TryStrToInt(cell, bays)) throw Error("'" + cell + "' is not a valid integer value");
        if (bays == in.HBayCount) {
            data.Weight = t.FloatFieldDef("W1", 0);
            data.CaAc = t.FloatFieldDef("CAAC", 0);
        }
    }
}

void GetFMMechanical(const TMechanicalInputs& in, TMechanicalData& data) {
    data.ClimbingDevice = ClimbingDevice(in, "Contact Orvane");
    data.RadomeColor = "BLACK (standard)";
    if (HasWavelength(in)) {
        const double lambda = Wavelength(in.MidFreq);
        const double s = in.FMBaySpacing;
        const double aperture = (static_cast<double>(in.FMBayCount) - 1) * lambda / 12 * s;
        // The top bay adds three quarters of the bay spacing above the aperture: 0.75
        // wavelength at full-wave spacing and 0.375 at half-wave spacing, and the same
        // proportion at any other spacing.
        data.Length = 0.75 * s * lambda / 12 + aperture;
        data.TotalLength = aperture + 15;
    }
    data.Weight = 0;
    data.CaAc = 0;
    TTextTable t;
    t.LoadFromFile(FMDataPath() + "tblFMFamilyID_To_Power.txt");
    for (; !t.Eof(); t.MoveNext()) {
        if (t.Field("P/N") == in.FMPartNumber) {
            data.Weight = t.FloatFieldDef("W1", 0);
            data.CaAc = t.FloatFieldDef("C1", 0);
        }
    }
    data.Shear = data.Ac = data.SideAc = data.SideCaAc = data.OTM = data.BC = 0;
    data.QTY = 0;
}

void GetDefaultMechanical(const TMechanicalInputs&, TMechanicalData& data) {
    data.Length = data.TotalLength = data.Weight = data.Shear = data.RadomeDiameter = 0;
    data.Ac = data.CaAc = 0;
    data.RadomeColor = "GRAY";
    data.ClimbingDevice = "NOT APPLICABLE";
}

}  // namespace velmo
