// Checks over the sample installation that the build copies beside the executables:
// every table opens with its columns, every catalog file name resolves in the folder the
// pattern reads from, point files have the right length and maximum, catalog figures
// agree with their files, and every family offered for a channel is complete.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <filesystem>
#include <map>
#include <numbers>
#include <set>
#include <string>
#include <vector>

#include "base/folders.h"
#include "base/numbers.h"
#include "base/textcodec.h"
#include "base/types.h"
#include "patterns/patfile.h"
#include "refdata/texttable.h"

namespace velmo {
namespace {

using Row = std::map<std::string, std::string>;

std::string Upper(std::string s) {
    for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

// Reads a whole table; every listed column must be among its field names.
std::vector<Row> ReadTable(const std::string& folder, const std::string& name,
                           const std::vector<std::string>& columns) {
    TTextTable t;
    t.LoadFromFile(folder + name);
    std::set<std::string> names;
    for (const auto& f : t.FieldNames()) names.insert(Upper(f));
    for (const auto& c : columns)
        EXPECT_TRUE(names.count(Upper(c))) << name << " lacks column " << c;
    std::vector<Row> rows;
    while (!t.Eof()) {
        Row r;
        for (const auto& c : columns) r[c] = t.Field(c);
        rows.push_back(std::move(r));
        t.MoveNext();
    }
    return rows;
}

double Num(const std::string& text) {
    double v = 0;
    EXPECT_TRUE(TryStrToFloat(text, v, '.')) << "'" << text << "' is not a number";
    return v;
}

bool Exists(const std::string& path) { return std::filesystem::is_regular_file(path); }

std::vector<double> ReadField(const std::string& path, std::vector<double>* xs = nullptr) {
    TRealPointList pts;
    EXPECT_TRUE(ReadPointFile(path, pts)) << path;
    std::vector<double> ys;
    for (const auto& p : pts.Points()) {
        ys.push_back(p.Y);
        if (xs) xs->push_back(p.X);
    }
    return ys;
}

constexpr double kHalf = 0.70710678118654752;

// Half-power width of the lobe round index `peak`, interpolating the field linearly;
// negative when the field stays above half power on one side.
double LobeWidth(const std::vector<double>& xs, const std::vector<double>& ys, size_t peak) {
    size_t k = peak;
    while (k > 0 && ys[k] > kHalf) --k;
    if (ys[k] > kHalf) return -1;
    double lo = xs[k] + (kHalf - ys[k]) / (ys[k + 1] - ys[k]) * (xs[k + 1] - xs[k]);
    k = peak;
    while (k + 1 < ys.size() && ys[k] > kHalf) ++k;
    if (ys[k] > kHalf) return -1;
    double hi = xs[k] - (kHalf - ys[k]) / (ys[k - 1] - ys[k]) * (xs[k] - xs[k - 1]);
    return hi - lo;
}

double AzimuthBeamwidth(const std::vector<double>& f) {
    if (*std::min_element(f.begin(), f.end()) > kHalf) return 360;
    size_t peak = static_cast<size_t>(std::max_element(f.begin(), f.end()) - f.begin());
    std::vector<double> xs, ys;  // three turns, so both edges lie inside
    for (int turn = -1; turn <= 1; ++turn)
        for (size_t i = 0; i < f.size(); ++i) {
            xs.push_back(turn * 360.0 + static_cast<double>(i));
            ys.push_back(f[i]);
        }
    return LobeWidth(xs, ys, peak + f.size());
}

// Directivity over a half-wave dipole of a pattern omnidirectional in azimuth, from
// 1801 samples at -90..90 degrees (trapezoid rule over degrees).
double ElevationDirectivity(const std::vector<double>& e) {
    double sum = 0, prev = 0;
    for (size_t k = 0; k < 1801; ++k) {
        double th = (static_cast<double>(k) - 900) / 10.0;
        double y = e[k] * e[k] * std::cos(th * std::numbers::pi / 180);
        if (k > 0) sum += (prev + y) / 2 * 0.1;
        prev = y;
    }
    return 360 / (std::numbers::pi * sum) / 1.640742966;
}

double dB(double ratio) { return 10 * std::log10(ratio); }

// ------------------------------------------------------------------ tables and format

struct TableColumns {
    const std::string* folder;
    const char* name;
    std::vector<std::string> columns;
};

std::vector<TableColumns> AllTables() {
    const std::string& d = DataPath();
    const std::string& f = FMDataPath();
    return {
        {&d, "tblChannels_US.txt", {"ACTIVE", "CHANNEL", "BEG_FREQ", "END_FREQ"}},
        {&d, "tblChannels_Euro.txt", {"ACTIVE", "CHANNEL", "BEG_FREQ", "END_FREQ"}},
        {&d, "tblChannels_Australian.txt", {"ACTIVE", "CHANNEL", "BEG_FREQ", "END_FREQ"}},
        {&d, "tblChannel_US_To_Antenna.txt", {"CHANNEL", "FAMILY_ID"}},
        {&d, "tblChannel_Euro_To_Antenna.txt", {"CHANNEL", "FAMILY_ID"}},
        {&d, "tblChannel_Aus_To_Antenna.txt", {"CHANNEL", "FAMILY_ID"}},
        {&d, "tblMount_To_Antenna_Type.txt", {"FAMILY_ID", "MOUNT_TYPE"}},
        {&d, "tblPolarization_To_Antenna_Type.txt", {"FAMILY_ID", "POLARIZATION"}},
        {&f, "tblFM_Channels_List_US.txt", {"ACTIVE", "CHANNEL", "BEG_FREQ", "END_FREQ"}},
        {&f, "tblFM_Channel_To_FamilyID_US.txt", {"CHANNEL", "FAMILY_ID"}},
        {&f, "tblFM_Channel_To_FamilyID_Euro.txt", {"CHANNEL", "FAMILY_ID"}},
        {&f, "tblFM_Channel_To_FamilyID_Aus.txt", {"CHANNEL", "FAMILY_ID"}},
        {&f, "tblFamilyID_To_Polarization_Type.txt", {"FAMILY_ID", "POLARIZATION"}},
        {&f, "tblFamilyID_To_Mount_Type.txt", {"FAMILY_ID", "MOUNT_TYPE"}},
        {&f, "tblFamilyID_To_Feed_Type.txt", {"FAMILY_ID", "FEED_TYPE"}},
        {&f, "tblRadomes.txt", {"FAMILY_ID"}},
        {&f, "tblDeicers.txt", {"FAMILY_ID"}},
        {&d, "tblPatternCode_Details.txt", {"PATTERN_CODE", "DESCRIPTION"}},
        {&d, "tblKVR_Power_To_Azimuth.txt", {"POWER", "POLARIZATION", "H_PATTERN_ID"}},
        {&d, "tblAntenna_To_H_Azimuth.txt", {"FAMILY_ID", "H_PATTERN_ID"}},
        {&d, "tblAntenna_To_E_H_Azimuth.txt", {"FAMILY_ID", "H_PATTERN_ID"}},
        {&d, "tblAzimuth_H_Patterns.txt", {"H_PATTERN_ID", "PATTERN_CODE", "FILENAME", "GAIN", "BEAMWIDTH"}},
        {&d, "tblMIRALDO_H_To_V_Azimuth.txt", {"FAMILY_ID", "H_PATTERN_ID", "V_PATTERN_ID"}},
        {&d, "tblAzimuth_V_Patterns.txt", {"V_PATTERN_ID", "PATTERN_CODE", "FILENAME", "GAIN", "BEAMWIDTH"}},
        {&f, "tblFM_AzPatternCode_Details.txt", {"PATTERN_CODE", "DESCRIPTION"}},
        {&f, "tblAntenna_To_H_Azimuth.txt", {"FAMILY_ID", "H_PATTERN_ID"}},
        {&f, "tblAzimuth_H_Patterns.txt", {"H_PATTERN_ID", "PATTERN_CODE", "FILENAME", "GAIN", "BEAMWIDTH"}},
        {&d, "kvr_bays.txt", {"BAY", "BEAMTILT", "FILENAME"}},
        {&d, "tblH_Elevation.txt", {"FAMILY_ID", "H_POL_ID", "LABEL", "BASE_CODE", "SMOOTH", "BAY_COUNT", "DESCRIPTION", "GAIN_1", "FILENAME", "BEAMWIDTH", "DEFAULT_BEAMTILT", "MAX_BEAMTILT", "MIN_BEAMTILT"}},
        {&d, "tblV_Elevation.txt", {"FAMILY_ID", "V_POL_ID", "LABEL", "BASE_CODE", "SMOOTH", "BAY_COUNT", "DESCRIPTION", "GAIN_1", "FILENAME", "BEAMWIDTH", "DEFAULT_BEAMTILT", "MAX_BEAMTILT", "MIN_BEAMTILT"}},
        {&d, "tblMIRALDO_H_To_V_Elevation.txt", {"FAMILY_ID", "H_POL_ID", "V_POL_ID"}},
        {&f, "tblFM_Elevation.txt", {"FAMILY_ID", "FEED_CODE", "BAY_COUNT", "BAY_SPACING", "H_POL_ID", "LABEL", "BASE_CODE", "DESCRIPTION", "GAIN"}},
        {&d, "tblTransmissionLines.txt", {"FAMILY", "BEG_FREQUENCY", "END_FREQUENCY", "PART_NUMBER", "DESCRIPTION", "E1", "E2", "E3", "E4"}},
        {&d, "tbldbPer100.txt", {"LINE", "CHANNEL", "DB_100"}},
        {&d, "tblPowers.txt", {"AntennaID", "AntennaPower", "AntennaBayCount", "HorzNTSC", "HorzDTV", "VertNTSC", "VertDTV", "InputDescription"}},
        {&d, "tblVARNOK_Specs.txt", {"BAY_COUNT", "NTSC_POWER_RATING", "DTV_POWER_RATING", "CONNECTOR", "W1", "CAAC"}},
        {&f, "tblFMFamilyID_To_Power.txt", {"FAMILY_ID", "BAY_COUNT", "BAY_SPACING", "FEED_CODE", "MAX_POWER", "P/N", "Input", "W1", "C1"}},
        {&d, "tblKVR_H_Mech.txt", {"Channel", "BayCount", "PatternCode", "Length", "Weight", "Shear"}},
        {&d, "tblKVR_V_Mech.txt", {"Channel", "BayCount", "PatternCode", "Length", "Weight", "Shear"}},
        {&d, "tblKVRWindLoad.txt", {"BegChannel", "EndChannel", "BayCount", "PatternID", "FrontArea", "SideArea"}},
    };
}

TEST(InstallTables, EveryTableOpensWithItsColumnsAndWellFormedRows) {
    for (const auto& table : AllTables()) {
        SCOPED_TRACE(table.name);
        const std::string path = *table.folder + table.name;
        TTextTable t;
        ASSERT_NO_THROW(t.LoadFromFile(path));
        EXPECT_FALSE(t.Eof()) << "empty table";
        ReadTable(*table.folder, table.name, table.columns);
        for (const auto& rec : t.Records())
            EXPECT_EQ(SplitFields(rec, "|").size(), t.FieldNames().size()) << rec;

        // ASCII text with CR LF line ends, the last line included
        const std::string bytes = ReadFileBytes(path);
        ASSERT_FALSE(bytes.empty());
        EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n");
        for (size_t i = 0; i < bytes.size(); ++i) {
            unsigned char c = static_cast<unsigned char>(bytes[i]);
            ASSERT_LT(c, 128u) << "byte " << i;
            if (c == '\n') {
                ASSERT_TRUE(i > 0 && bytes[i - 1] == '\r') << "bare LF at " << i;
            }
            if (c == '\r') {
                ASSERT_TRUE(i + 1 < bytes.size() && bytes[i + 1] == '\n') << "bare CR at " << i;
            }
        }
    }
    EXPECT_TRUE(Exists(AppPath() + "beamtilt/beamtilt.html"));
}

// ------------------------------------------------------------------ azimuth

void CheckAzimuthFile(const std::string& path, const Row& row) {
    SCOPED_TRACE(path);
    ASSERT_TRUE(Exists(path));
    std::vector<double> xs;
    std::vector<double> f = ReadField(path, &xs);
    ASSERT_EQ(f.size(), 360u);
    for (size_t i = 0; i < xs.size(); ++i) ASSERT_EQ(xs[i], static_cast<double>(i));
    EXPECT_EQ(*std::max_element(f.begin(), f.end()), 1.0);
    EXPECT_GE(*std::min_element(f.begin(), f.end()), 0.0);
    double meanSquare = 0;
    for (double v : f) meanSquare += v * v / 360.0;
    EXPECT_NEAR(dB(Num(row.at("GAIN"))), dB(1 / meanSquare), 0.1);
    EXPECT_NEAR(Num(row.at("BEAMWIDTH")), AzimuthBeamwidth(f), 0.1);
}

const std::vector<std::string> kAzCols = {"H_PATTERN_ID", "PATTERN_CODE", "FILENAME", "GAIN", "BEAMWIDTH"};

TEST(InstallAzimuth, TvCatalogFilesResolveAndAgreeWithGainAndBeamwidth) {
    auto h = ReadTable(DataPath(), "tblAzimuth_H_Patterns.txt", kAzCols);
    ASSERT_FALSE(h.empty());
    for (const auto& r : h) CheckAzimuthFile(AzimuthHPolPath() + r.at("FILENAME"), r);
    auto v = ReadTable(DataPath(), "tblAzimuth_V_Patterns.txt",
                       {"V_PATTERN_ID", "PATTERN_CODE", "FILENAME", "GAIN", "BEAMWIDTH"});
    ASSERT_FALSE(v.empty());
    for (const auto& r : v) CheckAzimuthFile(AzimuthVPolPath() + r.at("FILENAME"), r);
}

TEST(InstallAzimuth, FmFilesLieInTheFolderOfEveryPolarizationTheFamilyOffers) {
    auto pats = ReadTable(FMDataPath(), "tblAzimuth_H_Patterns.txt", kAzCols);
    auto joins = ReadTable(FMDataPath(), "tblAntenna_To_H_Azimuth.txt", {"FAMILY_ID", "H_PATTERN_ID"});
    auto pols = ReadTable(FMDataPath(), "tblFamilyID_To_Polarization_Type.txt", {"FAMILY_ID", "POLARIZATION"});
    const std::map<std::string, std::string> folder = {
        {"H", FMAzimuthHPolPath()}, {"V", FMAzimuthVPolPath()}, {"E", FMAzimuthCPolPath()}};
    int checked = 0;
    for (const auto& j : joins)
        for (const auto& p : pols) {
            if (p.at("FAMILY_ID") != j.at("FAMILY_ID")) continue;
            ASSERT_TRUE(folder.count(p.at("POLARIZATION"))) << p.at("POLARIZATION");
            for (const auto& r : pats)
                if (r.at("H_PATTERN_ID") == j.at("H_PATTERN_ID")) {
                    CheckAzimuthFile(folder.at(p.at("POLARIZATION")) + r.at("FILENAME"), r);
                    ++checked;
                }
        }
    EXPECT_GE(checked, static_cast<int>(joins.size()));
}

// ------------------------------------------------------------------ elevation

const std::vector<std::string> kElCols = {"FAMILY_ID", "LABEL", "BASE_CODE", "SMOOTH", "BAY_COUNT",
                                          "DESCRIPTION", "GAIN_1", "FILENAME", "BEAMWIDTH",
                                          "DEFAULT_BEAMTILT", "MAX_BEAMTILT", "MIN_BEAMTILT"};

std::vector<std::string> With(std::vector<std::string> cols, const std::string& extra) {
    cols.push_back(extra);
    return cols;
}

// A TV elevation file: 1801 points from -90 to 90 in 0.1 degree steps, maximum 1.
std::vector<double> ReadElevationFile(const std::string& path) {
    std::vector<double> xs;
    std::vector<double> e = ReadField(path, &xs);
    EXPECT_EQ(e.size(), 1801u) << path;
    if (e.size() != 1801u) return {};
    for (size_t k = 0; k < xs.size(); ++k)
        EXPECT_NEAR(xs[k], (static_cast<double>(k) - 900) / 10.0, 1e-9) << path;
    EXPECT_EQ(*std::max_element(e.begin(), e.end()), 1.0) << path;
    return e;
}

double FieldAt(const std::vector<double>& e, double angle) {
    return e[static_cast<size_t>(std::lround(angle * 10) + 900)];
}

TEST(InstallElevation, TvCatalogFilesCarryTheirTiltGainAndBeamwidth) {
    for (const auto& [table, key, folder] :
         {std::tuple{"tblH_Elevation.txt", "H_POL_ID", ElevationHPolPath()},
          std::tuple{"tblV_Elevation.txt", "V_POL_ID", ElevationVPolPath()}}) {
        auto rows = ReadTable(DataPath(), table, With(kElCols, key));
        ASSERT_FALSE(rows.empty()) << table;
        for (const auto& r : rows) {
            SCOPED_TRACE(std::string(table) + " " + r.at(key));
            const std::string path = folder + r.at("FILENAME");
            ASSERT_TRUE(Exists(path)) << path;
            auto e = ReadElevationFile(path);
            ASSERT_FALSE(e.empty());
            double tilt = Num(r.at("DEFAULT_BEAMTILT"));
            EXPECT_LE(Num(r.at("MIN_BEAMTILT")), tilt);
            EXPECT_LE(tilt, Num(r.at("MAX_BEAMTILT")));
            EXPECT_GE(FieldAt(e, tilt), 0.995) << "the beam maximum is not at the default tilt";
            EXPECT_NEAR(dB(Num(r.at("GAIN_1"))), dB(ElevationDirectivity(e)), 0.1);
            size_t peak = static_cast<size_t>(std::max_element(e.begin(), e.end()) - e.begin());
            std::vector<double> xs;
            for (size_t k = 0; k < 1801; ++k) xs.push_back((static_cast<double>(k) - 900) / 10.0);
            EXPECT_NEAR(Num(r.at("BEAMWIDTH")), LobeWidth(xs, e, peak), 0.1);
            long long bays = 0;
            EXPECT_TRUE(TryStrToInt(r.at("BAY_COUNT"), bays));
            EXPECT_TRUE(r.at("SMOOTH") == "0" || r.at("SMOOTH") == "1");
        }
    }
}

TEST(InstallElevation, KvrPerTiltFilesCoverEveryTiltCodeInBothPolarizations) {
    auto bays = ReadTable(DataPath(), "kvr_bays.txt", {"BAY", "BEAMTILT", "FILENAME"});
    std::map<std::string, std::string> file;  // bay key + "/" + tilt code
    for (const auto& r : bays) file.emplace(r.at("BAY") + "/" + r.at("BEAMTILT"), r.at("FILENAME"));

    auto check = [&](const std::string& table, const std::string& folder) {
        int kvrRows = 0;
        for (const auto& r : ReadTable(DataPath(), table, kElCols)) {
            if (r.at("BASE_CODE").find("KVR") == std::string::npos) continue;
            ++kvrRows;
            std::string key = r.at("BASE_CODE").substr(3);
            for (int code = 1; code <= 12; ++code) {
                SCOPED_TRACE(table + " " + r.at("BASE_CODE") + " tilt code " + std::to_string(code));
                auto it = file.find(key + "/" + std::to_string(code));
                ASSERT_NE(it, file.end());
                ASSERT_TRUE(Exists(folder + it->second)) << folder + it->second;
                auto e = ReadElevationFile(folder + it->second);
                ASSERT_FALSE(e.empty());
                // tilt code c covers tilts up to 0.25*c degrees; its file carries that tilt
                EXPECT_GE(FieldAt(e, 0.25 * code), 0.995);
            }
        }
        EXPECT_GT(kvrRows, 0) << table;
    };
    check("tblH_Elevation.txt", ElevationHPolPath());
    check("tblV_Elevation.txt", ElevationVPolPath());
}

// The FM catalog gain is the gain of the plain array (no tilt, no fill) as the program
// computes it, so an untilted, unfilled FM pattern shows the catalog figure; circularly
// polarized families carry half of it per polarization.
double PlainFmArrayGain(const std::string& family, int bays, double spacing) {
    const std::set<std::string> p126 = {"RNVX", "TGX", "BKX", "RNVH", "K410", "K460"};
    double p = p126.count(family) ? 0.126 : family == "VOLKA" ? 0.189 : 0.0;
    int n = std::max(bays, 1);
    double s = spacing * 99.6 / 100;
    if (s <= 0) s = 1;
    std::vector<double> e(1801);
    for (int k = -900; k <= 900; ++k) {
        double th = k / 10.0 * std::numbers::pi / 180;
        double re = 0, im = 0;
        for (int j = 1; j <= n; ++j) {
            double psi = -2 * std::numbers::pi * (j - 1) * s * std::sin(th);
            re += std::cos(psi);
            im += std::sin(psi);
        }
        e[static_cast<size_t>(k + 900)] = std::hypot(re, im) / n * (p + (1 - p) * std::cos(th));
    }
    double m = *std::max_element(e.begin(), e.end());
    for (double& v : e) v /= m;
    return ElevationDirectivity(e);
}

TEST(InstallElevation, FmCatalogGainIsThePlainArrayGain) {
    const std::set<std::string> circular = {"RNVX", "TGX", "BKX", "240C", "VOLKA"};
    auto pols = ReadTable(FMDataPath(), "tblFamilyID_To_Polarization_Type.txt", {"FAMILY_ID", "POLARIZATION"});
    for (const auto& p : pols)  // a family counted as circular offers no other polarization
        if (circular.count(p.at("FAMILY_ID"))) {
            EXPECT_EQ(p.at("POLARIZATION"), "E") << p.at("FAMILY_ID");
        }
    auto rows = ReadTable(FMDataPath(), "tblFM_Elevation.txt",
                          {"FAMILY_ID", "FEED_CODE", "BAY_COUNT", "BAY_SPACING", "H_POL_ID", "GAIN"});
    ASSERT_FALSE(rows.empty());
    for (const auto& r : rows) {
        SCOPED_TRACE(r.at("H_POL_ID"));
        double g = PlainFmArrayGain(r.at("FAMILY_ID"), static_cast<int>(Num(r.at("BAY_COUNT"))),
                                    Num(r.at("BAY_SPACING")));
        if (circular.count(r.at("FAMILY_ID"))) g /= 2;
        EXPECT_NEAR(dB(Num(r.at("GAIN"))), dB(g), 0.1);
    }
}

// ------------------------------------------------------------------ coverage

struct Market {
    const char* plan;
    const char* join;
    const char* fmJoin;
};
const Market kMarkets[] = {{"tblChannels_US.txt", "tblChannel_US_To_Antenna.txt", "tblFM_Channel_To_FamilyID_US.txt"},
                           {"tblChannels_Euro.txt", "tblChannel_Euro_To_Antenna.txt", "tblFM_Channel_To_FamilyID_Euro.txt"},
                           {"tblChannels_Australian.txt", "tblChannel_Aus_To_Antenna.txt", "tblFM_Channel_To_FamilyID_Aus.txt"}};

std::set<std::string> Column(const std::vector<Row>& rows, const std::string& col,
                             const std::string& whereCol = "", const std::string& equals = "") {
    std::set<std::string> out;
    for (const auto& r : rows)
        if (whereCol.empty() || r.at(whereCol) == equals) out.insert(r.at(col));
    return out;
}

TEST(InstallCoverage, TvChannelsOfferFamiliesOfTheirBandWithCompleteData) {
    const std::set<std::string> vhf = {"KLX-VHF", "VARNOK", "HOV"};
    const std::set<std::string> uhf = {"KLX-UHF", "KVR", "QD-MAX", "QD", "WEN"};
    // power codes the system parameter page pairs with each family
    const std::map<std::string, std::vector<std::string>> powerCodes = {
        {"KLX-VHF", {"N"}}, {"HOV", {"M"}}, {"KLX-UHF", {"N"}}, {"KVR", {"L", "M"}},
        {"QD-MAX", {"L", "M"}}, {"QD", {"L", "M"}}, {"WEN", {"L"}}, {"VARNOK", {"N"}}, {"CTM", {""}}};
    const std::set<std::string> withVertElevation = {"KLX-UHF", "KLX-VHF", "QD", "QD-MAX", "KVR"};

    const std::string& d = DataPath();
    auto mounts = ReadTable(d, "tblMount_To_Antenna_Type.txt", {"FAMILY_ID", "MOUNT_TYPE"});
    auto pols = ReadTable(d, "tblPolarization_To_Antenna_Type.txt", {"FAMILY_ID", "POLARIZATION"});
    auto hAz = ReadTable(d, "tblAzimuth_H_Patterns.txt", kAzCols);
    auto vAz = ReadTable(d, "tblAzimuth_V_Patterns.txt", {"V_PATTERN_ID", "FILENAME"});
    auto toH = ReadTable(d, "tblAntenna_To_H_Azimuth.txt", {"FAMILY_ID", "H_PATTERN_ID"});
    auto toEH = ReadTable(d, "tblAntenna_To_E_H_Azimuth.txt", {"FAMILY_ID", "H_PATTERN_ID"});
    auto kvrAz = ReadTable(d, "tblKVR_Power_To_Azimuth.txt", {"POWER", "POLARIZATION", "H_PATTERN_ID"});
    auto azHV = ReadTable(d, "tblMIRALDO_H_To_V_Azimuth.txt", {"FAMILY_ID", "H_PATTERN_ID", "V_PATTERN_ID"});
    auto hEl = ReadTable(d, "tblH_Elevation.txt", With(kElCols, "H_POL_ID"));
    auto vEl = ReadTable(d, "tblV_Elevation.txt", With(kElCols, "V_POL_ID"));
    auto elHV = ReadTable(d, "tblMIRALDO_H_To_V_Elevation.txt", {"FAMILY_ID", "H_POL_ID", "V_POL_ID"});
    auto powers = ReadTable(d, "tblPowers.txt", {"AntennaID", "AntennaPower", "AntennaBayCount"});
    auto varnok = ReadTable(d, "tblVARNOK_Specs.txt", {"BAY_COUNT"});
    const auto hIds = Column(hAz, "H_PATTERN_ID");
    const auto vIds = Column(vAz, "V_PATTERN_ID");

    std::set<std::string> offered;
    for (const auto& m : kMarkets) {
        SCOPED_TRACE(m.plan);
        std::map<std::string, double> beg;
        for (const auto& r : ReadTable(d, m.plan, {"ACTIVE", "CHANNEL", "BEG_FREQ", "END_FREQ"}))
            if (r.at("ACTIVE") == "1") {
                EXPECT_LT(Num(r.at("BEG_FREQ")), Num(r.at("END_FREQ"))) << r.at("CHANNEL");
                beg[r.at("CHANNEL")] = Num(r.at("BEG_FREQ"));
            }
        auto join = ReadTable(d, m.join, {"CHANNEL", "FAMILY_ID"});
        for (const auto& [ch, f] : beg) {
            auto fams = Column(join, "FAMILY_ID", "CHANNEL", ch);
            EXPECT_TRUE(fams.count("CTM")) << "channel " << ch;
            EXPECT_GE(fams.size(), 2u) << "channel " << ch;
        }
        for (const auto& r : join) {
            ASSERT_TRUE(beg.count(r.at("CHANNEL"))) << "join names an inactive channel " << r.at("CHANNEL");
            double f = beg[r.at("CHANNEL")];
            if (vhf.count(r.at("FAMILY_ID"))) {
                EXPECT_LT(f, 300) << r.at("CHANNEL") << " " << r.at("FAMILY_ID");
            }
            if (uhf.count(r.at("FAMILY_ID"))) {
                EXPECT_GE(f, 470) << r.at("CHANNEL") << " " << r.at("FAMILY_ID");
            }
            offered.insert(r.at("FAMILY_ID"));
        }
    }
    EXPECT_EQ(offered.size(), 9u);

    for (const auto& fam : offered) {
        SCOPED_TRACE(fam);
        EXPECT_FALSE(Column(mounts, "MOUNT_TYPE", "FAMILY_ID", fam).empty());
        auto famPols = Column(pols, "POLARIZATION", "FAMILY_ID", fam);
        EXPECT_FALSE(famPols.empty());
        for (const auto& pol : famPols) EXPECT_TRUE(pol == "H" || pol == "E") << pol;
        if (fam == "CTM") continue;  // custom antennas have no catalog

        // azimuth candidates for every polarization (and, for KVR, power code) offered
        for (const auto& pol : famPols)
            for (const auto& pc : powerCodes.at(fam)) {
                std::set<std::string> ids;
                if (fam == "KVR") {
                    for (const auto& r : kvrAz)
                        if (r.at("POWER") == pc && r.at("POLARIZATION") == pol) ids.insert(r.at("H_PATTERN_ID"));
                } else {
                    ids = Column(pol == "H" ? toH : toEH, "H_PATTERN_ID", "FAMILY_ID", fam);
                }
                if (fam == "KLX-UHF" && pol == "E") ids.erase("KLX-GS");
                EXPECT_FALSE(ids.empty()) << pol << pc;
                for (const auto& id : ids) {
                    EXPECT_TRUE(hIds.count(id)) << id;
                    if (pol != "E") continue;
                    std::set<std::string> vs;
                    for (const auto& r : azHV)
                        if (r.at("FAMILY_ID") == fam && r.at("H_PATTERN_ID") == id) vs.insert(r.at("V_PATTERN_ID"));
                    EXPECT_FALSE(vs.empty()) << "no vertical azimuth pattern for " << id;
                    for (const auto& v : vs) EXPECT_TRUE(vIds.count(v)) << v;
                }
            }

        // elevation rows, their vertical companions and a rating for every bay count
        std::set<std::string> bays;
        int withVert = 0;
        for (const auto& r : hEl) {
            if (r.at("FAMILY_ID") != fam) continue;
            bays.insert(r.at("BAY_COUNT"));
            for (const auto& j : elHV)
                if (j.at("FAMILY_ID") == fam && j.at("H_POL_ID") == r.at("H_POL_ID")) {
                    for (const auto& v : vEl)
                        if (v.at("FAMILY_ID") == fam && v.at("V_POL_ID") == j.at("V_POL_ID")) ++withVert;
                    break;
                }
        }
        EXPECT_FALSE(bays.empty()) << "no elevation rows";
        if (famPols.count("E") && withVertElevation.count(fam)) {
            EXPECT_GT(withVert, 0);
        }
        for (const auto& b : bays) {
            if (fam == "VARNOK") {
                EXPECT_FALSE(Column(varnok, "BAY_COUNT", "BAY_COUNT", b).empty()) << b;
            } else if (fam != "KLX-UHF" && fam != "KLX-VHF") {
                for (const auto& pc : powerCodes.at(fam)) {
                    bool found = false;
                    for (const auto& r : powers)
                        found = found || (r.at("AntennaID") == fam && r.at("AntennaPower") == pc &&
                                          r.at("AntennaBayCount") == b);
                    EXPECT_TRUE(found) << "no rating for " << pc << " " << b << " bays";
                }
            }
        }
    }
}

TEST(InstallCoverage, SpecialIdentifiersArePresent) {
    const std::string& d = DataPath();
    auto hAz = ReadTable(d, "tblAzimuth_H_Patterns.txt", kAzCols);
    auto toH = ReadTable(d, "tblAntenna_To_H_Azimuth.txt", {"FAMILY_ID", "H_PATTERN_ID"});
    auto hEl = ReadTable(d, "tblH_Elevation.txt", With(kElCols, "H_POL_ID"));
    EXPECT_TRUE(Column(toH, "H_PATTERN_ID", "FAMILY_ID", "KLX-UHF").count("KLX-GS"));
    EXPECT_TRUE(Column(hEl, "H_POL_ID", "FAMILY_ID", "KLX-UHF").count("KLX2G1"));
    EXPECT_TRUE(Column(hEl, "H_POL_ID", "FAMILY_ID", "KLX-VHF").count("KLX2"));
    bool vhfSkull = false;
    for (const auto& id : Column(toH, "H_PATTERN_ID", "FAMILY_ID", "KLX-VHF"))
        for (const auto& r : hAz) vhfSkull = vhfSkull || (r.at("H_PATTERN_ID") == id && r.at("PATTERN_CODE") == "S");
    EXPECT_TRUE(vhfSkull);
    // a TV rating row with one empty cell, so a missing rating is seen as 0
    auto powers = ReadTable(d, "tblPowers.txt", {"AntennaID", "VertDTV"});
    EXPECT_TRUE(Column(powers, "VertDTV", "AntennaID", "KVR").count(""));
}

TEST(InstallCoverage, FmFamiliesHaveAzimuthElevationAndRatingForEveryConfiguration) {
    const std::string& f = FMDataPath();
    auto pols = ReadTable(f, "tblFamilyID_To_Polarization_Type.txt", {"FAMILY_ID", "POLARIZATION"});
    auto mounts = ReadTable(f, "tblFamilyID_To_Mount_Type.txt", {"FAMILY_ID", "MOUNT_TYPE"});
    auto feeds = ReadTable(f, "tblFamilyID_To_Feed_Type.txt", {"FAMILY_ID", "FEED_TYPE"});
    auto toH = ReadTable(f, "tblAntenna_To_H_Azimuth.txt", {"FAMILY_ID", "H_PATTERN_ID"});
    auto az = Column(ReadTable(f, "tblAzimuth_H_Patterns.txt", kAzCols), "H_PATTERN_ID");
    auto el = ReadTable(f, "tblFM_Elevation.txt", {"FAMILY_ID", "FEED_CODE", "BAY_COUNT", "BAY_SPACING", "H_POL_ID"});
    auto power = ReadTable(f, "tblFMFamilyID_To_Power.txt",
                           {"FAMILY_ID", "BAY_COUNT", "BAY_SPACING", "FEED_CODE", "MAX_POWER", "P/N", "Input"});

    std::set<std::string> channels;
    for (const auto& r : ReadTable(f, "tblFM_Channels_List_US.txt", {"ACTIVE", "CHANNEL", "BEG_FREQ", "END_FREQ"}))
        if (r.at("ACTIVE") == "1") {
            channels.insert(r.at("CHANNEL"));
            EXPECT_GT(Num(r.at("BEG_FREQ")), 87.9);
            EXPECT_LT(Num(r.at("END_FREQ")), 108.1);
        }
    EXPECT_EQ(channels.size(), 100u);

    std::set<std::string> offered;
    for (const auto& m : kMarkets)
        for (const auto& r : ReadTable(f, m.fmJoin, {"CHANNEL", "FAMILY_ID"})) {
            EXPECT_TRUE(channels.count(r.at("CHANNEL"))) << r.at("CHANNEL");
            offered.insert(r.at("FAMILY_ID"));
        }
    EXPECT_EQ(offered.size(), 9u);

    std::map<size_t, int> familiesByFeedCount;
    for (const auto& fam : offered) {
        SCOPED_TRACE(fam);
        EXPECT_FALSE(Column(pols, "POLARIZATION", "FAMILY_ID", fam).empty());
        EXPECT_FALSE(Column(mounts, "MOUNT_TYPE", "FAMILY_ID", fam).empty());
        auto famFeeds = Column(feeds, "FEED_TYPE", "FAMILY_ID", fam);
        EXPECT_FALSE(famFeeds.empty());
        ++familiesByFeedCount[famFeeds.size()];
        if (fam == "CTM") continue;
        auto ids = Column(toH, "H_PATTERN_ID", "FAMILY_ID", fam);
        EXPECT_FALSE(ids.empty());
        for (const auto& id : ids) EXPECT_TRUE(az.count(id)) << id;
        for (const auto& feed : famFeeds) {
            int rows = 0;
            for (const auto& r : el) {
                if (r.at("FAMILY_ID") != fam || r.at("FEED_CODE") != feed) continue;
                ++rows;
                // the rating lookup compares bay count and spacing as numbers
                std::vector<double> ratings;
                for (const auto& p : power)
                    if (p.at("FAMILY_ID") == fam && p.at("FEED_CODE") == feed &&
                        p.at("BAY_COUNT") == r.at("BAY_COUNT") &&
                        Num(p.at("BAY_SPACING")) == Num(r.at("BAY_SPACING")))
                        ratings.push_back(Num(p.at("MAX_POWER")));
                EXPECT_FALSE(ratings.empty()) << "no rating for " << r.at("H_POL_ID");
                for (double v : ratings) EXPECT_GT(v, 0) << r.at("H_POL_ID");
            }
            EXPECT_GT(rows, 0) << "no elevation rows for feed " << feed;
        }
    }
    EXPECT_GT(familiesByFeedCount[1], 0);  // a family whose one feed is chosen without a click
    EXPECT_GT(familiesByFeedCount[2], 0);
    auto radomes = Column(ReadTable(f, "tblRadomes.txt", {"FAMILY_ID"}), "FAMILY_ID");
    auto deicers = Column(ReadTable(f, "tblDeicers.txt", {"FAMILY_ID"}), "FAMILY_ID");
    bool bare = false;
    for (const auto& fam : offered) bare = bare || (!radomes.count(fam) && !deicers.count(fam) && fam != "CTM");
    EXPECT_TRUE(bare) << "no family without radome and deicer";
}

TEST(InstallCoverage, EveryChannelHasLinesAndTabulatedLinesCoverTheirBand) {
    const std::string& d = DataPath();
    auto lines = ReadTable(d, "tblTransmissionLines.txt",
                           {"FAMILY", "BEG_FREQUENCY", "END_FREQUENCY", "PART_NUMBER", "E1", "E2", "E3", "E4"});
    auto db = ReadTable(d, "tbldbPer100.txt", {"LINE", "CHANNEL", "DB_100"});
    std::set<std::string> tabulated;
    for (const auto& r : db) {
        EXPECT_GT(Num(r.at("DB_100")), 0);
        tabulated.insert(r.at("LINE") + "/" + r.at("CHANNEL"));
    }
    std::set<std::string> parts = Column(lines, "PART_NUMBER");
    for (const char* p : {"HBR675B", "HBR775", "HBR875B", "WR1500", "WR1150"}) EXPECT_TRUE(parts.count(p)) << p;
    bool qpt = false;
    for (const auto& p : parts) qpt = qpt || p.find("QPT") != std::string::npos;
    EXPECT_TRUE(qpt);

    auto check = [&](const std::string& ch, double beg, double end, bool us, const std::string& where) {
        int coax = 0;
        for (const auto& l : lines) {
            if (Num(l.at("BEG_FREQUENCY")) > beg || end > Num(l.at("END_FREQUENCY"))) continue;
            const std::string& fam = l.at("FAMILY");
            if (fam == "SOLDRIFT" || fam == "WAVEGUIDE") {
                if (us) {
                    EXPECT_TRUE(tabulated.count(l.at("PART_NUMBER") + "/" + ch))
                        << where << " channel " << ch << " " << l.at("PART_NUMBER");
                }
            } else {
                double f = (beg + end) / 2;
                double att = Num(l.at("E1")) * std::sqrt(f) + Num(l.at("E2")) * f;
                EXPECT_GT(att, 0);
                EXPECT_GT(std::min(Num(l.at("E4")), Num(l.at("E3")) / att), 0);
                ++coax;
            }
        }
        EXPECT_GE(coax, 2) << where << " channel " << ch;
    };
    for (const auto& m : kMarkets)
        for (const auto& r : ReadTable(d, m.plan, {"ACTIVE", "CHANNEL", "BEG_FREQ", "END_FREQ"}))
            if (r.at("ACTIVE") == "1") {
                bool us = std::string(m.plan) == "tblChannels_US.txt";
                // the "FM" entry is typed as one frequency inside the FM band
                if (r.at("CHANNEL") == "FM") check("FM", 98.1, 98.1, us, m.plan);
                else check(r.at("CHANNEL"), Num(r.at("BEG_FREQ")), Num(r.at("END_FREQ")), us, m.plan);
            }
    for (const auto& r : ReadTable(FMDataPath(), "tblFM_Channels_List_US.txt", {"ACTIVE", "CHANNEL", "BEG_FREQ", "END_FREQ"}))
        check(r.at("CHANNEL"), Num(r.at("BEG_FREQ")), Num(r.at("END_FREQ")), true, "FM");
    // a 3-1/8 in. rigid line at 600 MHz: about 0.2 dB/100 ft and 40-odd kW
    for (const auto& l : lines)
        if (l.at("PART_NUMBER") == "ORL318-50") {
            double att = Num(l.at("E1")) * std::sqrt(600.0) + Num(l.at("E2")) * 600;
            EXPECT_NEAR(att, 0.2, 0.01);
            EXPECT_NEAR(std::min(Num(l.at("E4")), Num(l.at("E3")) / att), 42, 4);
        }
    EXPECT_TRUE(parts.count("ORL318-50"));
    // the horizontal-waveguide rule: WR1500 for channels 14 to 50 of the US plan
    for (int ch = 14; ch <= 36; ++ch) EXPECT_TRUE(tabulated.count("WR1500/" + std::to_string(ch))) << ch;
}

}  // namespace
}  // namespace velmo
