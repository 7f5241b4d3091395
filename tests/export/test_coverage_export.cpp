// Standard MSI files and the .az/.el pair: read back by a reader of this test's own and
// compared with the design's patterns, refusals that leave no file, and a
// point-to-point run of the terrain-analysis tool over a flat tile that must find the
// design's pattern in the receiver's direction.
#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "base/error.h"
#include "base/folders.h"
#include "base/numbers.h"
#include "export/coverageexport.h"
#include "export/patternexport.h"
#include "model/design.h"
#include "test_support.h"

using namespace velmo;
namespace fs = std::filesystem;

namespace {

constexpr double kPi = 3.14159265358979323846;

// ---- an independent reader of MSI files -----------------------------------------------

struct TMSIFile {
    std::vector<std::pair<std::string, std::string>> Header;  // keyword, rest of the line
    std::vector<double> Horizontal, Vertical;                  // by label 0 ... 359
    bool CrLf = true;
    std::string Problem;  // empty when the file read cleanly

    std::string Value(const std::string& key) const {
        for (const auto& [k, v] : Header)
            if (k == key) return v;
        return "<missing " + key + ">";
    }
};

// A number written with "." and nothing else on it.
bool ReadNumber(const std::string& text, double& v) {
    if (text.empty()) return false;
    auto r = std::from_chars(text.data(), text.data() + text.size(), v);
    return r.ec == std::errc() && r.ptr == text.data() + text.size();
}

double Number(const std::string& text) {
    double v = NAN;
    if (!ReadNumber(text, v)) ADD_FAILURE() << "not a '.' number: \"" << text << "\"";
    return v;
}

TMSIFile ReadMSI(const std::string& path) {
    const std::string bytes = test::ReadAll(path);
    std::vector<std::string> lines;
    TMSIFile f;
    size_t start = 0;
    while (start < bytes.size()) {
        size_t lf = bytes.find('\n', start);
        if (lf == std::string::npos || lf == start || bytes[lf - 1] != '\r') f.CrLf = false;
        if (lf == std::string::npos) lf = bytes.size();
        size_t end = lf > start && bytes[lf - 1] == '\r' ? lf - 1 : lf;
        lines.push_back(bytes.substr(start, end - start));
        start = lf + 1;
    }
    size_t i = 0;
    auto block = [&](const std::string& keyword, std::vector<double>& out) {
        if (i >= lines.size() || lines[i].rfind(keyword + " ", 0) != 0) {
            f.Problem = "no " + keyword + " line at " + std::to_string(i);
            return;
        }
        double count = 0;
        if (!ReadNumber(lines[i].substr(keyword.size() + 1), count)) {
            f.Problem = "bad count: " + lines[i];
            return;
        }
        ++i;
        for (int k = 0; k < count; ++k, ++i) {
            if (i >= lines.size()) {
                f.Problem = keyword + " block shorter than its count";
                return;
            }
            size_t space = lines[i].find(' ');
            double label = -1, value = NAN;
            if (space == std::string::npos || !ReadNumber(lines[i].substr(0, space), label) ||
                !ReadNumber(lines[i].substr(space + 1), value) || label != k) {
                f.Problem = "bad line in " + keyword + ": " + lines[i];
                return;
            }
            out.push_back(value);
        }
    };
    for (; i < lines.size() && lines[i].rfind("HORIZONTAL ", 0) != 0; ++i) {
        size_t space = lines[i].find(' ');
        f.Header.emplace_back(lines[i].substr(0, space),
                              space == std::string::npos ? "" : lines[i].substr(space + 1));
    }
    block("HORIZONTAL", f.Horizontal);
    if (f.Problem.empty()) block("VERTICAL", f.Vertical);
    if (f.Problem.empty() && i != lines.size()) f.Problem = "lines after the VERTICAL block";
    return f;
}

// ---- the design's own values, computed here --------------------------------------------

double AttenuationOf(double field, double max) { return field > 0 ? -20 * std::log10(field / max) : 40; }

// The field of an elevation point list at angle x below the horizon, interpolated
// between the nearest points on either side.
double ElevationAt(const TRealPointList& points, double x) {
    const TRealPoint* below = nullptr;
    const TRealPoint* above = nullptr;
    for (const TRealPoint& p : points.Points()) {
        if (p.X <= x && (!below || p.X > below->X)) below = &p;
        if (p.X >= x && (!above || p.X < above->X)) above = &p;
    }
    if (!below || !above) return NAN;
    if (above->X == below->X) return below->Y;
    return below->Y + (above->Y - below->Y) * (x - below->X) / (above->X - below->X);
}

// Largest field of an elevation list from -90 to 90 degrees, and its angle.
std::pair<double, double> ElevationMax(const TRealPointList& points) {
    double max = -1, at = 0;
    for (const TRealPoint& p : points.Points())
        if (p.X >= -90 && p.X <= 90 && p.Y > max) {
            max = p.Y;
            at = p.X;
        }
    return {max, at};
}

// The vertical circle: 0 front horizon, 90 straight down, 180 rear horizon, 270 up.
double BelowHorizon(int c) { return c <= 90 ? c : c <= 270 ? 180 - c : c - 360; }

// Every value of an MSI file against the design's slot, within 0.005 dB.
void ExpectBlocksMatch(const TMSIFile& f, const TRealPointList& az, const TRealPointList& el) {
    ASSERT_EQ(f.Horizontal.size(), 360u);
    ASSERT_EQ(f.Vertical.size(), 360u);
    double azMax = 0;
    for (int n = 0; n < 360; ++n) azMax = std::max(azMax, az.PPoint(n).Y);
    for (int n = 0; n < 360; ++n)
        EXPECT_NEAR(f.Horizontal[static_cast<size_t>(n)], AttenuationOf(az.PPoint(n).Y, azMax), 0.005)
            << "azimuth " << n;
    const double elMax = ElevationMax(el).first;
    for (int c = 0; c < 360; ++c)
        EXPECT_NEAR(f.Vertical[static_cast<size_t>(c)], AttenuationOf(ElevationAt(el, BelowHorizon(c)), elMax),
                    0.005)
            << "vertical " << c;
}

// ---- fixture installation with patterns of known widths ---------------------------------

// Azimuth: 1 at 0 degrees falling linearly to half power at +-30 (so 60 degrees wide),
// 0.1 from 90 degrees on; lopsided in the back so that a turn in the wrong direction
// shows.
double AzKnown(int deg) {
    int d = deg > 180 ? 360 - deg : deg;
    double v = d <= 90 ? 1 - (1 - std::sqrt(0.5)) * d / 30.0 : 0.1;
    if (deg > 90 && deg < 180) v = 0.1 + 0.001 * (180 - deg);
    return std::max(v, 0.1);
}
// Elevation: 1 at 2 degrees below the horizon falling linearly to half power 3 degrees
// either side (6 degrees wide), 0.05 beyond.
double ElKnown(double x) { return std::max(0.05, 1 - (1 - std::sqrt(0.5)) * std::fabs(x - 2) / 3); }

std::string Fixed4(double v) {
    char buf[64];
    auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, 6);
    return std::string(buf, r.ptr);
}

class CoverageExportTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string az;
        for (int d = 0; d < 360; ++d) az += std::to_string(d) + " " + Fixed4(AzKnown(d)) + "\r\n";
        install.Write("patterns/azimuth/hpol/known.pat", az);
        install.Write("patterns/azimuth/vpol/known.pat", az);
        install.Write("patterns/azimuth/hpol/short.pat", az.substr(0, az.rfind("359 ")));
        std::string zero;
        for (int d = 0; d < 360; ++d) zero += std::to_string(d) + " 0\n";
        install.Write("patterns/azimuth/hpol/zero.pat", zero);
        std::string el;
        for (int k = -900; k <= 900; ++k) {
            char buf[32];
            auto r = std::to_chars(buf, buf + sizeof buf, k / 10.0, std::chars_format::fixed, 1);
            el += std::string(buf, r.ptr) + " " + Fixed4(ElKnown(k / 10.0)) + "\n";
        }
        install.Write("patterns/elevation/hpol/known.pat", el);
        install.Write("patterns/elevation/vpol/known.pat", el);
        install.Write("patterns/elevation/hpol/partial.pat", "0.3 1.0\n0.4 0.9\n95 0.5\n96 0.4\n");
        InitFolders(install.Path().string());
    }
    void TearDown() override { InitFolders(test::BinDir()); }

    // A WEN design (part number WEN8OC-32) over the known patterns, turned 45 degrees
    // and tilted 1.5 degrees down from the file's 0.
    static std::unique_ptr<TBroadcastDesign> MakeTV(const std::string& pol) {
        auto d = std::make_unique<TBroadcastDesign>();
        d->DesignInfo.SystemType = "TV";
        d->OptionsPage.FamilyID = "WEN";
        d->OptionsPage.PolCode = pol;
        d->OptionsPage.Channel.ChannelNumber = "32";
        d->OptionsPage.Channel.MidFreq = 581;
        for (TPatternType t : {ptHorizontal, ptVertical}) {
            TAzPattern& a = d->AzimuthPage.Pattern(t);
            a.FileName = "known.pat";
            a.SetGain(t == ptHorizontal ? 2.0 : 1.5);
            TElPattern& e = d->ElevationPage.Pattern(t);
            e.FileName = "known.pat";
            e.BayCount = 8;
            e.SetGain(20);
            e.SetBeamtilt(1.5);
        }
        d->AzimuthPage.HorzPattern.PatternCode = "OC";
        d->AzimuthPage.HorzPattern.PatternID = "WEN-OC";
        d->AzimuthPage.SetAngle(45);
        return d;
    }

    test::TempDir install;
    test::TempDir out;
};

// ---- MSI ------------------------------------------------------------------------------------

TEST_F(CoverageExportTest, MSIHeaderAndBlocksOfKnownPatternsInACommaLocale) {
    ScopedDecimalSeparator comma(',');
    auto d = MakeTV("E");
    std::vector<std::string> names = ExportDesign(efMSI, out.File("site.txt"), *d);
    ASSERT_EQ(names, (std::vector<std::string>{out.File("site_horizontal.msi"), out.File("site_vertical.msi")}));

    for (int slot = 0; slot < 2; ++slot) {
        SCOPED_TRACE(names[static_cast<size_t>(slot)]);
        TMSIFile f = ReadMSI(names[static_cast<size_t>(slot)]);
        ASSERT_EQ(f.Problem, "");
        EXPECT_TRUE(f.CrLf);
        ASSERT_GE(f.Header.size(), 1u);
        EXPECT_EQ(f.Header[0].first, "NAME") << "the first line names the antenna";
        EXPECT_EQ(f.Value("NAME"), slot == 0 ? "WEN8OC-32_horizontal" : "WEN8OC-32_vertical");
        EXPECT_EQ(f.Value("MAKE"), "Orvane");
        EXPECT_EQ(Number(f.Value("FREQUENCY")), 581);
        EXPECT_NEAR(Number(f.Value("H_WIDTH")), 60, 0.01);
        EXPECT_NEAR(Number(f.Value("V_WIDTH")), 6, 0.01);
        EXPECT_NEAR(Number(f.Value("FRONT_TO_BACK")), 20, 0.005);  // 0.1 behind the front
        const double gain = 10 * std::log10((slot == 0 ? 2.0 : 1.5) * 20);
        EXPECT_EQ(f.Value("GAIN").substr(f.Value("GAIN").find(' ') + 1), "dBd");
        EXPECT_NEAR(Number(f.Value("GAIN").substr(0, f.Value("GAIN").find(' '))), gain, 0.005);
        EXPECT_EQ(f.Value("TILT"), "ELECTRICAL");
        EXPECT_NEAR(Number(f.Value("ELECTRICAL_TILT")), 1.5, 1e-9);
        EXPECT_EQ(f.Value("POLARIZATION"), slot == 0 ? "H" : "V");
        EXPECT_NE(f.Value("COMMENT").find("45 deg"), std::string::npos) << f.Value("COMMENT");

        // The front turned to 45 degrees; the beam 2 + 1.5 degrees below the horizon.
        for (int n = 0; n < 360; ++n)
            EXPECT_NEAR(f.Horizontal[static_cast<size_t>(n)], -20 * std::log10(AzKnown((n - 45 + 360) % 360)), 0.005)
                << "azimuth " << n;
        for (int c = 0; c < 360; ++c)
            EXPECT_NEAR(f.Vertical[static_cast<size_t>(c)], -20 * std::log10(ElKnown(BelowHorizon(c) - 1.5)), 0.005)
                << "vertical " << c;
        EXPECT_EQ(f.Horizontal[45], 0);
    }
}

TEST_F(CoverageExportTest, ATiltOffTheSampleGridStillGivesEveryDegree) {
    // 0.33 degrees moves every point of the 0.1 degree file off the whole degrees.
    auto d = MakeTV("H");
    d->ElevationPage.HorzPattern.SetBeamtilt(0.33);
    TMSIFile f = ReadMSI(ExportPattern(efMSI, out.File("t"), ptHorizontal, *d));
    ASSERT_EQ(f.Problem, "");
    EXPECT_EQ(f.Value("NAME"), "WEN8OC-32") << "one slot: no suffix";
    EXPECT_NEAR(Number(f.Value("ELECTRICAL_TILT")), 0.33, 1e-9);
    for (int c = 0; c < 360; ++c)
        EXPECT_NEAR(f.Vertical[static_cast<size_t>(c)], -20 * std::log10(ElKnown(BelowHorizon(c) - 0.33)), 0.005)
            << "vertical " << c;
}

TEST(CoverageExportSamples, EverySampleDesignsMSIFilesReadBackAsTheDesign) {
    const fs::path samples = fs::path(test::BinDir()) / "samples";
    std::vector<fs::path> files;
    std::error_code ec;
    for (const auto& e : fs::directory_iterator(samples, ec))
        if (e.path().extension() == ".bcst") files.push_back(e.path());
    ASSERT_FALSE(files.empty()) << "no sample designs in " << samples;
    InitFolders(test::BinDir());
    test::TempDir out;
    int exported = 0;
    for (const fs::path& file : files) {
        SCOPED_TRACE(file.filename().string());
        auto design = LoadDesignFile(file.string());
        std::vector<TPatternType> slots = ExportPatternTypes(*design);
        std::vector<std::string> names = ExportDesign(efMSI, out.File(file.stem().string()), *design);
        ASSERT_EQ(names.size(), slots.size());
        for (size_t i = 0; i < slots.size(); ++i) {
            SCOPED_TRACE(names[i]);
            const TAzPattern& az = design->AzimuthPage.Pattern(slots[i]);
            const TElPattern& el = design->ElevationPage.Pattern(slots[i]);
            TMSIFile f = ReadMSI(names[i]);
            ASSERT_EQ(f.Problem, "");
            EXPECT_EQ(f.Value("MAKE"), "Orvane");
            EXPECT_NEAR(Number(f.Value("FREQUENCY")), design->OptionsPage.Channel.MidFreq, 1e-9);
            const std::string gain = f.Value("GAIN");
            ASSERT_NE(gain.find(" dBd"), std::string::npos) << gain;
            EXPECT_NEAR(Number(gain.substr(0, gain.find(' '))), 10 * std::log10(az.Gain() * el.Gain()), 0.005);
            // The catalog's widths were measured on the same patterns.
            EXPECT_NEAR(Number(f.Value("H_WIDTH")), az.Beamwidth, 0.1);
            EXPECT_NEAR(Number(f.Value("V_WIDTH")), el.BeamWidth, 0.1);
            // Down-tilt positive, where the beam maximum lies.
            const double tilt = Number(f.Value("ELECTRICAL_TILT"));
            EXPECT_NEAR(tilt, slots[i] == ptFM ? -el.Beamtilt() : el.Beamtilt(), 1e-9);
            EXPECT_NEAR(ElevationMax(el.AdjustedPoints).second, tilt, 0.15);
            ExpectBlocksMatch(f, az.AdjustedPoints, el.AdjustedPoints);
            ++exported;
        }
    }
    EXPECT_GE(exported, 6);
}

// ---- refusals ---------------------------------------------------------------------------------

TEST_F(CoverageExportTest, SlotsThatCannotBeExportedLeaveNoFile) {
    struct Case {
        const char* what;
        void (*spoil)(TBroadcastDesign&);
        const char* message;
    } cases[] = {
        {"short azimuth", [](TBroadcastDesign& d) { d.AzimuthPage.HorzPattern.FileName = "short.pat"; },
         "Cannot export the horizontal azimuth pattern \"WEN-OC\": it holds 359 of the 360 points of a full circle."},
        {"partial elevation", [](TBroadcastDesign& d) { d.ElevationPage.HorzPattern.FileName = "partial.pat"; },
         "Cannot export the horizontal elevation pattern \"partial.pat\": it holds points from "},
        {"no field", [](TBroadcastDesign& d) { d.AzimuthPage.HorzPattern.FileName = "zero.pat"; },
         "Cannot export the horizontal azimuth pattern \"WEN-OC\": it holds no field above 0."},
    };
    for (const Case& c : cases) {
        for (TExportFormat format : {efMSI, efSPLAT}) {
            SCOPED_TRACE(std::string(c.what) + (format == efMSI ? " msi" : " splat"));
            auto d = MakeTV("E");
            c.spoil(*d);
            try {
                ExportDesign(format, out.File("bad.txt"), *d);
                ADD_FAILURE() << "exported";
            } catch (const Error& e) {
                EXPECT_EQ(std::string(e.what()).rfind(c.message, 0), 0u) << e.what();
            }
            EXPECT_TRUE(fs::is_empty(out.Path())) << "a file was written";
        }
    }
    // MSI needs the gain; the .az/.el pair does not carry one.
    auto d = MakeTV("H");
    d->ElevationPage.HorzPattern.SetGain(0);
    EXPECT_THROW(ExportDesign(efMSI, out.File("g"), *d), Error);
    EXPECT_TRUE(fs::is_empty(out.Path()));
    EXPECT_EQ(ExportDesign(efSPLAT, out.File("g.txt"), *d),
              (std::vector<std::string>{out.File("g.az"), out.File("g.el")}));
}

// ---- the .az/.el pair, read by the terrain-analysis tool ---------------------------------------

TEST_F(CoverageExportTest, AzElFilesNameTheSlotsOfATwoSlotDesign) {
    auto d = MakeTV("E");
    std::vector<std::string> names = ExportDesign(efSPLAT, out.File("site.qth"), *d);
    EXPECT_EQ(names, (std::vector<std::string>{out.File("site_horizontal.az"), out.File("site_horizontal.el"),
                                               out.File("site_vertical.az"), out.File("site_vertical.el")}));
    std::string az = test::ReadAll(names[0]);
    EXPECT_EQ(az.substr(0, az.find('\n')), "45.0") << "the rotation, for the reader to apply";
}

// The flat tile of one degree square whose south-west corner is (lat, -lon): four
// header lines (west edge, south edge, east edge, north edge, longitudes in degrees
// west), then 1200 x 1200 heights in metres.
void WriteFlatTile(const std::string& folder, int lat, int lonWest, int height) {
    const std::string name = folder + "/" + std::to_string(lat) + ":" + std::to_string(lat + 1) + ":" +
                             std::to_string(lonWest - 1) + ":" + std::to_string(lonWest) + ".sdf";
    std::ofstream f(name, std::ios::binary);
    f << lonWest << "\n" << lat << "\n" << lonWest - 1 << "\n" << lat + 1 << "\n";
    const std::string line = std::to_string(height) + "\n";
    std::string chunk;
    for (int i = 0; i < 1200; ++i) chunk += line;
    for (int i = 0; i < 1200; ++i) f << chunk;
}

// "key: value" of the tool's path report, the value up to its first blank.
std::string ReportValue(const std::string& report, const std::string& key) {
    size_t at = report.find(key);
    if (at == std::string::npos) return "";
    at += key.size();
    while (at < report.size() && report[at] == ' ') ++at;
    size_t end = report.find_first_of(" \n", at);
    return report.substr(at, end - at);
}

TEST(CoverageExportSplat, PointToPointRunFindsTheDesignsPatternTowardsTheReceiver) {
    ASSERT_EQ(std::system("command -v splat > /dev/null 2>&1"), 0)
        << "splat is not installed (tools/ensure-deps.sh installs it)";
    InitFolders(test::BinDir());
    // An FM design with an up-tilted beam and a lopsided azimuth pattern, turned so
    // that no receiver sits on the pattern's axis of symmetry.
    auto design = LoadDesignFile((fs::path(test::BinDir()) / "samples" / "rnvx_circular_fm.bcst").string());
    design->AzimuthPage.SetAngle(-35);
    test::TempDir dir;
    const std::string folder = dir.Path().string();
    ASSERT_EQ(ExportDesign(efSPLAT, dir.File("tx.qth"), *design),
              (std::vector<std::string>{dir.File("tx.az"), dir.File("tx.el")}));
    const TRealPointList& az = design->AzimuthPage.FMPattern.AdjustedPoints;
    const TRealPointList& el = design->ElevationPage.FMPattern.AdjustedPoints;

    WriteFlatTile(folder, 40, 75, 100);
    dir.Write("tx.qth", "TX\n40.5\n74.5\n250 m\n");
    dir.Write("tx.lrp", "15.000\n0.005\n301.000\n98.100\n5\n0\n0.50\n0.50\n");

    // Receivers about 15 to 30 km out, off the meridian (the tool does not finish a
    // path that runs due north or south).
    const double bearings[] = {23, 77, 131, 166, 212, 259, 304, 341};
    const double distancesKm[] = {15, 22, 30, 18, 26, 20, 28, 16};
    for (size_t i = 0; i < std::size(bearings); ++i) {
        const double b = bearings[i] * kPi / 180, km = distancesKm[i];
        const double lat = 40.5 + km * std::cos(b) / 111.2;
        const double lonWest = 74.5 - km * std::sin(b) / (111.2 * std::cos(40.5 * kPi / 180));
        SCOPED_TRACE("bearing " + std::to_string(bearings[i]));
        dir.Write("rx.qth", "RX\n" + Fixed4(lat) + "\n" + Fixed4(lonWest) + "\n10 m\n");
        fs::remove(dir.File("TX-to-RX.txt"));
        const std::string cmd = "cd " + test::ShellQuote(folder) +
                                " && timeout 60 splat -t tx.qth -r rx.qth -metric -d . > splat.log 2>&1";
        ASSERT_EQ(std::system(cmd.c_str()), 0) << test::ReadAll(dir.File("splat.log"));
        const std::string report = test::ReadAll(dir.File("TX-to-RX.txt"));
        double bearing = 0, depression = 0, field = 0;
        ASSERT_TRUE(ReadNumber(ReportValue(report, "Azimuth to RX:"), bearing)) << report;
        ASSERT_TRUE(ReadNumber(ReportValue(report, "Depression angle to RX:"), depression)) << report;
        std::string dB = ReportValue(report, "TX antenna pattern towards RX:");
        ASSERT_TRUE(ReadNumber(dB, field)) << report;
        size_t open = report.find('(', report.find("TX antenna pattern towards RX:"));
        double reporteddB = NAN;
        ASSERT_TRUE(ReadNumber(report.substr(open + 1, report.find(' ', open) - open - 1), reporteddB)) << report;
        EXPECT_NEAR(bearing, bearings[i], 0.5);

        // The design's value: the rotated azimuth pattern at the whole degree the tool
        // reads, times the elevation pattern at the angle below the horizon.
        const int azimuth = static_cast<int>(std::lround(bearing)) % 360;
        const double below = std::fabs(depression);
        const double expected = 20 * std::log10(az.PPoint(azimuth).Y * ElevationAt(el, below) / ElevationMax(el).first);
        EXPECT_NEAR(reporteddB, expected, 0.1) << "depression " << depression << "\n" << report;
    }
}

}  // namespace
