// Pattern export files: names, the slots of the export menu, the EDX, Planet and CSV
// layouts line by line, values read back with a reader of this test's own, the 8-bit
// text, refusals, and velmo-cli export.
#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "base/error.h"
#include "base/folders.h"
#include "base/numbers.h"
#include "export/patternexport.h"
#include "model/design.h"
#include "test_support.h"

using namespace velmo;
namespace fs = std::filesystem;

namespace {

constexpr double kPi = 3.14159265358979323846;

// ---- the fixture installation's point files -------------------------------------

// Values as the point files hold them (four decimals), so the expected dB figures come
// from the same numbers the program reads.
double Round4(double v) { return std::nearbyint(v * 10000) / 10000; }

// Horizontal azimuth shape: 1.0 at 0 degrees, exactly 0 at 180, lopsided so that a
// rotation in the wrong direction shows.
double AzH(int deg) { return Round4((0.5 + 0.5 * std::cos(deg * kPi / 180)) * (1 - deg / 720.0)); }
double AzV(int deg) { return Round4(0.2 + 0.8 * std::fabs(std::sin((deg + 30) * kPi / 180))); }
// Elevation shapes over the angle below the horizon.
double ElH(double x) { return Round4(0.02 + 0.98 * std::exp(-((x - 3) / 25) * ((x - 3) / 25)) * (1 + x / 400)); }
double ElV(double x) { return Round4(0.05 + 0.95 * std::exp(-((x - 1) / 40) * ((x - 1) / 40))); }

std::string Num(double v) {
    char buf[64];
    auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, 4);
    return std::string(buf, r.ptr);
}

std::string AzimuthFile(double (*f)(int), int count) {
    std::string s = "! azimuth test pattern\r\n";
    for (int d = 0; d < count; ++d) s += std::to_string(d) + " " + Num(f(d)) + "\r\n";
    return s;
}

// Sampled every 0.1 degree from -90 to 90, as the installation's files are.
std::string ElevationFile(double (*f)(double)) {
    std::string s;
    for (int k = -900; k <= 900; ++k) {
        char buf[32];
        auto r = std::to_chars(buf, buf + sizeof buf, k / 10.0, std::chars_format::fixed, 1);
        s += std::string(buf, r.ptr) + " " + Num(f(k / 10.0)) + "\n";
    }
    return s;
}

double dB(double field) { return field > 0 ? 20 * std::log10(field) : -40; }

// ---- an independent reader of the written files -----------------------------------

struct TFileLines {
    std::vector<std::string> Lines;
    bool CrLfEverywhere = true;  // every line, the last included, ends with CR LF
};

TFileLines ReadLines(const std::string& path) {
    std::string bytes = test::ReadAll(path);
    TFileLines out;
    size_t start = 0;
    while (start < bytes.size()) {
        size_t lf = bytes.find('\n', start);
        if (lf == std::string::npos) {
            out.CrLfEverywhere = false;
            out.Lines.push_back(bytes.substr(start));
            break;
        }
        if (lf == start || bytes[lf - 1] != '\r') out.CrLfEverywhere = false;
        size_t end = lf > start && bytes[lf - 1] == '\r' ? lf - 1 : lf;
        if (bytes.substr(start, end - start).find('\r') != std::string::npos) out.CrLfEverywhere = false;
        out.Lines.push_back(bytes.substr(start, end - start));
        start = lf + 1;
    }
    return out;
}

// "<int><sep><number>": the integer never holds the separator, so the line splits at
// its first one even when the separator is also the decimal separator.
struct TPair {
    long long Label = 0;
    double Value = 0;
};

bool ParsePair(const std::string& line, char sep, char decimal, TPair& out) {
    size_t cut = line.find(sep);
    if (cut == std::string::npos) return false;
    auto r = std::from_chars(line.data(), line.data() + cut, out.Label);
    if (r.ec != std::errc() || r.ptr != line.data() + cut) return false;
    std::string number = line.substr(cut + 1);
    for (char& c : number) {
        if (c == decimal) c = '.';
        else if (c == '.') return false;
    }
    // exactly three decimals
    size_t dot = number.find('.');
    if (dot == std::string::npos || number.size() - dot - 1 != 3) return false;
    auto v = std::from_chars(number.data(), number.data() + number.size(), out.Value);
    return v.ec == std::errc() && v.ptr == number.data() + number.size();
}

// The vertical circle of the Planet and CSV layouts: counter -> angle below the horizon.
double PlanetElevationAngle(int counter) {
    if (counter <= 90) return counter;
    if (counter <= 270) return 180 - counter;
    return counter - 360;
}

// Whole degrees from -90 to 90 of a pattern's adjusted points (first occurrence).
std::map<int, double> WholeDegrees(const TRealPointList& points) {
    std::map<int, double> out;
    for (const TRealPoint& p : points.Points())
        if (p.X >= -90 && p.X <= 90 && p.X == std::floor(p.X)) out.emplace(static_cast<int>(p.X), p.Y);
    return out;
}

class ExportTest : public ::testing::Test {
protected:
    void SetUp() override {
        const std::string az = "patterns/azimuth/", el = "patterns/elevation/";
        install.Write(az + "hpol/az_h.pat", AzimuthFile(AzH, 360));
        install.Write(az + "hpol/az_short.pat", AzimuthFile(AzH, 359));
        install.Write(az + "vpol/az_v.pat", AzimuthFile(AzV, 360));
        install.Write(el + "hpol/el_h.pat", ElevationFile(ElH));
        install.Write(el + "vpol/el_v.pat", ElevationFile(ElV));
        // Whole degrees only outside -90..90, and no midpoint lands on one inside.
        install.Write(el + "hpol/el_none.pat", "0.3 1.0\n0.4 0.9\n95 0.5\n96 0.4\n");
        install.Write("FM patterns/azimuth/cpol/fm_az.pat", AzimuthFile(AzV, 360));
        install.Write("FM data/tblFMFamilyID_To_Power.txt",
                      "FAMILY_ID|BAY_COUNT|BAY_SPACING|FEED_CODE|MAX_POWER|P/N|Input\n"
                      "RNVX|2|1|E|32|RNVX-2E-31|3-1/8-inch\n"
                      "RNVX|4|1|E|40|RNVX-4E-31|3-1/8-inch\n");
        InitFolders(install.Path().string());
    }
    void TearDown() override { InitFolders(test::BinDir()); }

    // A TV design of the WEN family (part number WEN8OC-32), patterns not yet loaded.
    static std::unique_ptr<TBroadcastDesign> MakeTV(const std::string& pol, int angle = 45) {
        auto d = std::make_unique<TBroadcastDesign>();
        d->DesignInfo.SystemType = "TV";
        d->OptionsPage.FamilyID = "WEN";
        d->OptionsPage.PolCode = pol;
        d->OptionsPage.Channel.ChannelNumber = "32";
        TAzimuthPage& a = d->AzimuthPage;
        a.HorzPattern.PatternCode = "OC";
        a.HorzPattern.PatternID = "WEN-OC";
        a.HorzPattern.FileName = "az_h.pat";
        a.VertPattern.FileName = "az_v.pat";
        a.SetAngle(angle);
        TElevationPage& e = d->ElevationPage;
        e.HorzPattern.FileName = "el_h.pat";
        e.HorzPattern.BayCount = 8;
        e.VertPattern.FileName = "el_v.pat";
        return d;
    }

    static std::unique_ptr<TBroadcastDesign> MakeFM() {
        auto d = std::make_unique<TBroadcastDesign>();
        d->DesignInfo.SystemType = "FM";
        d->OptionsPage.FamilyID = "RNVX";
        d->OptionsPage.PolCode = "E";
        d->OptionsPage.FeedCode = "E";
        d->AzimuthPage.FMPattern.PolCode = "E";
        d->AzimuthPage.FMPattern.FileName = "fm_az.pat";
        d->AzimuthPage.SetAngle(-90);
        TElPattern& e = d->ElevationPage.FMPattern;
        e.FamilyID = "RNVX";
        e.PolCode = "E";
        e.BayCount = 4;
        e.BaySpacing = 1;
        e.FeedCode = "E";
        e.SetGainFromFile(4);
        e.CalculatePattern();
        return d;
    }

    test::TempDir install;
    test::TempDir out;
};

// ---- names and menu rule ------------------------------------------------------------

TEST(ExportNames, SuffixReplacesTheExtensionOrIsAppended) {
    struct Case {
        const char* chosen;
        TExportFormat format;
        TPatternType slot;
        const char* file;
        const char* base;
    } cases[] = {
        {"/out/AB12.txt", efPlanet, ptHorizontal, "/out/AB12_horizontal.pln", "AB12_horizontal"},
        {"AB12", efEDX, ptHorizontal, "AB12_horizontal.dat", "AB12_horizontal"},
        {"/out/AB12", efCSV, ptVertical, "/out/AB12_vertical.csv", "AB12_vertical"},
        {"/out.d/AB12", efEDX, ptFM, "/out.d/AB12_fm.dat", "AB12_fm"},
        {"/out/a.b.c", efCSV, ptFM, "/out/a.b_fm.csv", "a.b_fm"},
        {"/out/AB12.", efPlanet, ptVertical, "/out/AB12_vertical.pln", "AB12_vertical"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.chosen);
        std::string file = ExportFileName(c.chosen, c.format, c.slot);
        EXPECT_EQ(file, c.file);
        EXPECT_EQ(ExportBaseName(file), c.base);
    }
}

TEST(ExportMenu, SlotsFollowSystemPolarizationAndFamily) {
    struct Case {
        const char* system;
        const char* family;
        const char* pol;
        std::vector<TPatternType> slots;
    } cases[] = {
        {"TV", "WEN", "H", {ptHorizontal}},
        {"TV", "KVR", "E", {ptHorizontal, ptVertical}},
        {"TV", "QD", "V", {ptHorizontal}},
        {"FM", "RNVX", "H", {ptFM}},
        {"FM", "RNVX", "E", {ptFM}},
        {"TV", "CTM", "E", {}},
        {"FM", "CTM", "H", {}},
        {"", "WEN", "H", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.system) + " " + c.family + " " + c.pol);
        TBroadcastDesign d;
        d.DesignInfo.SystemType = c.system;
        d.OptionsPage.FamilyID = c.family;
        d.OptionsPage.PolCode = c.pol;
        EXPECT_EQ(ExportPatternTypes(d), c.slots);
        EXPECT_EQ(CanExportPatterns(d), std::string(c.family) != "CTM");
    }
}

// ---- EDX ----------------------------------------------------------------------------

TEST_F(ExportTest, EDXHoldsTheRotatedAzimuthAndTwoElevationBlocks) {
    auto d = MakeTV("H", 0);
    // The rotation changed after the points were read: the export turns them anew.
    d->AzimuthPage.HorzPattern.LoadPoints();
    d->AzimuthPage.SetAngle(45);
    std::string name = ExportEDX(out.File("AB12.txt"), ptHorizontal, *d);
    EXPECT_EQ(name, out.File("AB12_horizontal.dat"));
    // The 0.1-degree file, extended by the model from -100.1 to 270.2 degrees.
    const TRealPointList& pts = d->ElevationPage.HorzPattern.Points;
    ASSERT_EQ(pts.Count(), TElPattern::kExtendedPoints);
    EXPECT_NEAR(pts.PPoint(0).X, -100.1, 1e-9);
    EXPECT_NEAR(pts.PPoint(pts.Count() - 1).X, 270.2, 1e-9);

    TFileLines f = ReadLines(name);
    EXPECT_TRUE(f.CrLfEverywhere);
    ASSERT_EQ(f.Lines.size(), 1u + 360 + 3 + 181 + 1 + 181);
    EXPECT_EQ(f.Lines[0], "'WEN8OC-32',,1");
    for (int n = 0; n < 360; ++n) {
        TPair p;
        ASSERT_TRUE(ParsePair(f.Lines[1 + n], ',', '.', p)) << f.Lines[1 + n];
        EXPECT_EQ(p.Label, n);
        EXPECT_NEAR(p.Value, dB(AzH((n - 45 + 360) % 360)), 0.0005) << "azimuth " << n;
    }
    EXPECT_EQ(f.Lines[1 + 45], "45,0.000");     // field 1.0, turned by 45 degrees
    EXPECT_EQ(f.Lines[1 + 225], "225,-40.000");  // field 0
    EXPECT_EQ(f.Lines[361], "999");
    EXPECT_EQ(f.Lines[362], "2,181");
    EXPECT_EQ(f.Lines[363], "0");
    EXPECT_EQ(f.Lines[364 + 181], "181");
    for (int i = 0; i < 181; ++i) {
        const std::string& line = f.Lines[364 + i];
        EXPECT_EQ(f.Lines[364 + 181 + 1 + i], line) << "the second block repeats the first";
        TPair p;
        ASSERT_TRUE(ParsePair(line, ',', '.', p)) << line;
        EXPECT_EQ(p.Label, 90 - i);
        // The label is the angle above the horizon.
        EXPECT_NEAR(p.Value, dB(ElH(-p.Label)), 0.0005) << line;
    }
    // Under a comma locale the file is the same, byte for byte: "45,0.000", never
    // "45,0,000".
    const std::string pointFile = test::ReadAll(name);
    ScopedDecimalSeparator comma(',');
    EXPECT_EQ(test::ReadAll(ExportEDX(out.File("AB12.txt"), ptHorizontal, *d)), pointFile);
}

TEST_F(ExportTest, EDXDoublesQuotesAndWrites8BitText) {
    auto d = MakeTV("H");
    d->OptionsPage.FamilyID = "CTM";  // the part number is the custom label
    d->OptionsPage.CustomLabel = "O'Brien Caf\u00E9 \u2122 \u2603";
    std::string name = ExportEDX(out.File("custom"), ptHorizontal, *d);
    TFileLines f = ReadLines(name);
    // e-acute and the trade mark sign have Windows-1252 bytes; the snowman has none.
    EXPECT_EQ(f.Lines.at(0), "'O''Brien Caf\xE9 \x99 ?',,1");

    std::string planet = ExportPlanet(out.File("\u00C9mission.txt"), ptHorizontal, *d);
    EXPECT_EQ(ReadLines(planet).Lines.at(0), "FILENAME \xC9mission_horizontal");
}

// ---- Planet and CSV -------------------------------------------------------------------

TEST_F(ExportTest, PlanetAndCSVReadBackAsThePatternInEveryLocale) {
    struct Case {
        TExportFormat format;
        char decimal;
        char sep;
    } cases[] = {{efPlanet, '.', ' '}, {efPlanet, ',', ' '}, {efCSV, '.', ','}, {efCSV, ',', ','}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.format == efCSV ? "csv" : "planet") + " decimal " + c.decimal);
        ScopedDecimalSeparator scoped(c.decimal);
        // Whatever the locale's separator, the file's numbers carry ".".
        const char point = '.';
        auto d = MakeTV("H", -30);
        std::string name = ExportPattern(c.format, out.File("AB12.txt"), ptHorizontal, *d);
        EXPECT_EQ(name, out.File(c.format == efCSV ? "AB12_horizontal.csv" : "AB12_horizontal.pln"));
        TFileLines f = ReadLines(name);
        EXPECT_TRUE(f.CrLfEverywhere);
        ASSERT_EQ(f.Lines.size(), 8u + 361 + 361);
        const std::string s(1, c.sep);
        const std::vector<std::string> header = {
            "FILENAME" + s + "AB12_horizontal", "MAKE" + s + "WEN8OC-32", "FREQUENCY" + s,
            "H_WIDTH" + s, "V_WIDTH" + s, "FRONT_TO_BACK" + s, "GAIN" + s, "TILT" + s,
            "HORIZONTAL" + s + "360"};
        for (size_t i = 0; i < header.size(); ++i) EXPECT_EQ(f.Lines[i], header[i]);
        EXPECT_EQ(f.Lines[9 + 360], "VERTICAL" + s + "360");

        // Field 0 sits at 180 - 30 = 150 degrees after the turn, 1.0 at 330.
        const std::string d0 = std::string("40") + point + "000";
        EXPECT_EQ(f.Lines[9 + 150], "150" + s + d0);
        EXPECT_EQ(f.Lines[9 + 330], "330" + s + "0" + point + "000");

        // The azimuth values equal the pattern's rotated points.
        const TRealPointList& adjusted = d->AzimuthPage.HorzPattern.AdjustedPoints;
        ASSERT_EQ(adjusted.Count(), 360);
        for (int n = 0; n < 360; ++n) {
            TPair p;
            ASSERT_TRUE(ParsePair(f.Lines[9 + n], c.sep, point, p)) << f.Lines[9 + n];
            EXPECT_EQ(p.Label, n);
            EXPECT_NEAR(p.Value, std::fabs(dB(adjusted.PPoint(n).Y)), 0.0005) << "azimuth " << n;
            EXPECT_NEAR(p.Value, std::fabs(dB(AzH((n + 30) % 360))), 0.0005) << "azimuth " << n;
        }
        // The vertical circle: front from the horizon down, the mirrored rear, up, and
        // the front again above the horizon.
        for (int k = 0; k < 360; ++k) {
            TPair p;
            ASSERT_TRUE(ParsePair(f.Lines[370 + k], c.sep, point, p)) << f.Lines[370 + k];
            EXPECT_EQ(p.Label, k);
            EXPECT_NEAR(p.Value, std::fabs(dB(ElH(PlanetElevationAngle(k)))), 0.0005)
                << "vertical " << k;
        }
    }
}

TEST_F(ExportTest, AnElevationWithoutWholeDegreesInRangeGivesEmptyBlocks) {
    auto d = MakeTV("H");
    d->ElevationPage.HorzPattern.FileName = "el_none.pat";
    TFileLines edx = ReadLines(ExportEDX(out.File("n"), ptHorizontal, *d));
    ASSERT_EQ(edx.Lines.size(), 1u + 360 + 3 + 1);
    EXPECT_EQ(edx.Lines[363], "0");
    EXPECT_EQ(edx.Lines[364], "181");
    TFileLines pln = ReadLines(ExportPlanet(out.File("n"), ptHorizontal, *d));
    ASSERT_EQ(pln.Lines.size(), 8u + 361 + 1);
    EXPECT_EQ(pln.Lines.back(), "VERTICAL 360");
}

// ---- whole designs -----------------------------------------------------------------

TEST_F(ExportTest, ExportDesignWritesEverySlotOfTheMenuRule) {
    auto tv = MakeTV("E");
    std::vector<std::string> names = ExportDesign(efEDX, out.File("AB12.txt"), *tv);
    ASSERT_EQ(names, (std::vector<std::string>{out.File("AB12_horizontal.dat"),
                                               out.File("AB12_vertical.dat")}));
    TFileLines v = ReadLines(names[1]);
    ASSERT_EQ(v.Lines.size(), 727u);
    TPair p;
    ASSERT_TRUE(ParsePair(v.Lines[1 + 100], ',', '.', p));
    EXPECT_NEAR(p.Value, dB(AzV(55)), 0.0005);  // the vertical slot, turned by 45
    ASSERT_TRUE(ParsePair(v.Lines[364], ',', '.', p));
    EXPECT_NEAR(p.Value, dB(ElV(-90)), 0.0005);

    auto fm = MakeFM();
    const std::string inputType = fm->InputType();
    names = ExportDesign(efPlanet, out.File("AB12.txt"), *fm);
    ASSERT_EQ(names, std::vector<std::string>{out.File("AB12_fm.pln")});
    EXPECT_EQ(fm->InputType(), inputType) << "exporting changes nothing in the design";
    TFileLines f = ReadLines(names[0]);
    ASSERT_EQ(f.Lines.size(), 730u);
    EXPECT_EQ(f.Lines[1], "MAKE RNVX-4E-31");
    std::map<int, double> el = WholeDegrees(fm->ElevationPage.FMPattern.AdjustedPoints);
    ASSERT_EQ(el.size(), 181u);
    for (int k = 0; k < 360; ++k) {
        ASSERT_TRUE(ParsePair(f.Lines[370 + k], ' ', '.', p));
        EXPECT_NEAR(p.Value, std::fabs(dB(el.at(static_cast<int>(PlanetElevationAngle(k))))), 0.0005);
    }
    ASSERT_TRUE(ParsePair(f.Lines[9 + 0], ' ', '.', p));
    EXPECT_NEAR(p.Value, std::fabs(dB(AzV(90))), 0.0005);  // turned by -90

    auto custom = MakeTV("E");
    custom->OptionsPage.FamilyID = "CTM";
    EXPECT_TRUE(ExportDesign(efCSV, out.File("C.txt"), *custom).empty());
    EXPECT_FALSE(fs::exists(out.File("C_horizontal.csv")));
}

// ---- refusals -------------------------------------------------------------------------

TEST_F(ExportTest, AnAzimuthPatternShortOfAFullCircleWritesNothing) {
    const std::string previous = "previous contents\r\n";
    for (TExportFormat format : {efEDX, efPlanet, efCSV}) {
        auto d = MakeTV("H");
        d->AzimuthPage.HorzPattern.FileName = "az_short.pat";
        const std::string target = ExportFileName(out.File("S.txt"), format, ptHorizontal);
        out.Write(fs::path(target).filename().string(), previous);
        try {
            ExportPattern(format, out.File("S.txt"), ptHorizontal, *d);
            FAIL() << "a 359-point azimuth pattern was exported";
        } catch (const Error& e) {
            EXPECT_EQ(std::string(e.what()),
                      "Cannot export the horizontal azimuth pattern \"WEN-OC\": it holds 359 of "
                      "the 360 points of a full circle.");
        }
        EXPECT_EQ(test::ReadAll(target), previous);
    }
    // Of two slots, one that fails leaves no file of the other either.
    auto d = MakeTV("E");
    d->AzimuthPage.VertPattern.FileName = "missing.pat";
    EXPECT_THROW(ExportDesign(efEDX, out.File("T.txt"), *d), Error);
    EXPECT_FALSE(fs::exists(out.File("T_horizontal.dat")));
    EXPECT_FALSE(fs::exists(out.File("T_vertical.dat")));
}

TEST_F(ExportTest, AFileThatCannotBeCreatedReportsTheReason) {
    auto d = MakeTV("H");
    const std::string chosen = out.File("") + "no such folder/AB12.txt";
    try {
        ExportCSV(chosen, ptHorizontal, *d);
        FAIL() << "no error";
    } catch (const Error& e) {
        EXPECT_EQ(std::string(e.what()), "Cannot create file \"" + out.File("") +
                                             "no such folder/AB12_horizontal.csv\". No such file or directory");
    }
}

// ---- the sample installation's designs ------------------------------------------------

TEST(ExportSamples, EverySampleDesignExportsByTheMenuRule) {
    const fs::path samples = fs::path(test::BinDir()) / "samples";
    std::vector<fs::path> files;
    std::error_code ec;
    for (const auto& e : fs::directory_iterator(samples, ec))
        if (e.path().extension() == ".bcst") files.push_back(e.path());
    if (files.empty()) GTEST_SKIP() << "no sample designs in " << samples;
    InitFolders(test::BinDir());
    test::TempDir out;
    for (const fs::path& file : files) {
        SCOPED_TRACE(file.filename().string());
        auto design = LoadDesignFile(file.string());
        std::vector<TPatternType> slots = ExportPatternTypes(*design);
        if (design->OptionsPage.FamilyID == "CTM") {
            EXPECT_TRUE(slots.empty());
            continue;
        }
        ASSERT_FALSE(slots.empty());
        const std::string chosen = out.File(file.stem().string() + ".bcst");
        for (TExportFormat format : {efEDX, efPlanet, efCSV}) {
            std::vector<std::string> names = ExportDesign(format, chosen, *design);
            ASSERT_EQ(names.size(), slots.size());
            for (size_t i = 0; i < slots.size(); ++i) {
                const char* slot = slots[i] == ptHorizontal ? "_horizontal"
                                   : slots[i] == ptVertical ? "_vertical" : "_fm";
                const char* ext = format == efEDX ? ".dat" : format == efPlanet ? ".pln" : ".csv";
                EXPECT_EQ(names[i], out.File(file.stem().string() + slot + ext));
                TFileLines f = ReadLines(names[i]);
                EXPECT_TRUE(f.CrLfEverywhere);
                std::map<int, double> el = WholeDegrees(design->ElevationPage.Pattern(slots[i]).AdjustedPoints);
                EXPECT_EQ(el.size(), 181u) << "a full elevation pattern";
                if (format == efEDX) {
                    EXPECT_EQ(f.Lines.size(), 1u + 360 + 3 + 181 + 1 + 181);
                    continue;
                }
                ASSERT_EQ(f.Lines.size(), 8u + 361 + 361);
                const char sep = format == efCSV ? ',' : ' ';
                const TRealPointList& az = design->AzimuthPage.Pattern(slots[i]).AdjustedPoints;
                for (int n = 0; n < 360; ++n) {
                    TPair p;
                    ASSERT_TRUE(ParsePair(f.Lines[9 + n], sep, '.', p)) << f.Lines[9 + n];
                    EXPECT_NEAR(p.Value, std::fabs(dB(az.PPoint(n).Y)), 0.0005);
                }
                for (int k = 0; k < 360; ++k) {
                    TPair p;
                    ASSERT_TRUE(ParsePair(f.Lines[370 + k], sep, '.', p)) << f.Lines[370 + k];
                    auto it = el.find(static_cast<int>(PlanetElevationAngle(k)));
                    ASSERT_NE(it, el.end());
                    EXPECT_NEAR(p.Value, std::fabs(dB(it->second)), 0.0005);
                }
            }
        }
    }
}

// ---- velmo-cli export -----------------------------------------------------------------

TEST(ExportCli, WritesTheFilesOfTheMenuRuleAndPrintsTheirNames) {
    InitFolders(test::BinDir());
    test::TempDir dir;
    // A design over the sample installation's point files.
    TBroadcastDesign d;
    d.DesignInfo.SystemType = "TV";
    d.OptionsPage.FamilyID = "WEN";
    d.OptionsPage.PolCode = "E";
    d.OptionsPage.Channel.ChannelNumber = "21";
    d.AzimuthPage.HorzPattern.FileName = "az_oc.pat";
    d.AzimuthPage.HorzPattern.PatternCode = "OC";
    d.AzimuthPage.VertPattern.FileName = "az_oc_v.pat";
    d.AzimuthPage.SetAngle(10);
    d.ElevationPage.HorzPattern.FileName = "hov2.pat";
    d.ElevationPage.HorzPattern.BayCount = 4;
    const std::string design = dir.File("site.bcst");
    d.SaveToFile(design);

    const std::string missingFolder = (dir.Path() / "missing" / "AB12.txt").string();
    test::CommandResult r = test::RunCli("export planet " + test::ShellQuote(design) + " -o " +
                                         test::ShellQuote(missingFolder));
    EXPECT_EQ(r.Status, 1) << "the output folder does not exist";
    EXPECT_NE(r.Err.find("No such file or directory"), std::string::npos) << r.Err;

    r = test::RunCli("export planet " + test::ShellQuote(design) + " -o " +
                     test::ShellQuote(dir.File("out/AB12.txt")));
    ASSERT_EQ(r.Status, 0) << r.Err;
    EXPECT_EQ(r.Out, dir.File("out/AB12_horizontal.pln") + "\n" + dir.File("out/AB12_vertical.pln") + "\n");
    TFileLines f = ReadLines(dir.File("out/AB12_horizontal.pln"));
    EXPECT_EQ(f.Lines.size(), 730u);
    EXPECT_EQ(f.Lines.at(1), "MAKE WEN4OC-21");

    d.OptionsPage.FamilyID = "CTM";
    d.SaveToFile(design);
    r = test::RunCli("export edx " + test::ShellQuote(design) + " -o " + test::ShellQuote(dir.File("c")));
    EXPECT_EQ(r.Status, 1);
    EXPECT_NE(r.Err.find("Custom (CTM) designs have no pattern export."), std::string::npos) << r.Err;
    EXPECT_FALSE(fs::exists(dir.File("c_horizontal.dat")));

    r = test::RunCli("export pdf " + test::ShellQuote(design) + " -o x");
    EXPECT_NE(r.Status, 0);
    EXPECT_NE(r.Err.find("unknown export layout 'pdf'"), std::string::npos) << r.Err;
    r = test::RunCli("export edx " + test::ShellQuote(dir.File("missing.bcst")) + " -o x");
    EXPECT_NE(r.Status, 0);
    EXPECT_NE(r.Err.find("Unable to open file."), std::string::npos) << r.Err;
}

}  // namespace
