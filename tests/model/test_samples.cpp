// The sample designs of the installation (install/samples): each is built here through
// the model from the sample installation's catalogs and compared with the file
// shipped, so the samples always agree with the data. Running this program with
// VELMO_WRITE_SAMPLES=1 writes them anew into the source tree's install/samples.
// Also: every shipped sample loads, saves and reloads to an equal design, and the
// reader survives mutated copies of them.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <map>
#include <random>

#include "analysis/lines.h"
#include "base/folders.h"
#include "base/numbers.h"
#include "base/textcodec.h"
#include "model/design.h"
#include "model/designfile.h"
#include "refdata/texttable.h"
#include "test_support.h"

using namespace velmo;

namespace {

// A fixed design date (2025-12-10, 09:00) keeps the files reproducible.
constexpr double kSampleDate = 46001.375;

// The first row of a table whose `column` equals `value`; fails the test otherwise.
TTextTable Row(const std::string& path, const std::string& column, const std::string& value) {
    TTextTable t;
    t.LoadFromFile(path);
    for (; !t.Eof(); t.MoveNext())
        if (t.Field(column) == value) return t;
    ADD_FAILURE() << value << " not in " << path;
    return t;
}

TChannel Channel(const std::string& table, const std::string& number) {
    TTextTable t = Row(table, "CHANNEL", number);
    TChannelList list;
    list.AddChannel(number, t.Field("BEG_FREQ"), t.Field("END_FREQ"));
    return list.Channel(0);
}

std::string PatternCodeDesc(const std::string& table, const std::string& code) {
    TTextTable t = Row(table, "PATTERN_CODE", code);
    return t.Field("DESCRIPTION");
}

void Azimuth(TAzPattern& p, const std::string& table, const std::string& idColumn,
             const std::string& id, const std::string& detailsTable) {
    TTextTable t = Row(table, idColumn, id);
    p.PatternID = id;
    p.PatternCode = t.Field("PATTERN_CODE");
    p.FileName = t.Field("FILENAME");
    p.SetGain(StrToFloat(t.Field("GAIN")));
    p.Beamwidth = StrToFloat(t.Field("BEAMWIDTH"));
    p.Desc = PatternCodeDesc(detailsTable, p.PatternCode);
    p.LoadPoints();
}

void Elevation(TElPattern& p, const std::string& table, const std::string& idColumn,
               const std::string& id) {
    TTextTable t = Row(table, idColumn, id);
    p.FamilyID = t.Field("FAMILY_ID");
    p.PolID = id;
    p.DetailLabel = t.Field("LABEL");
    p.BaseCose = t.Field("BASE_CODE");
    p.Smooth = t.Field("SMOOTH") == "1";
    p.BayCount = static_cast<int32_t>(StrToFloat(t.Field("BAY_COUNT")));
    p.Description = t.Field("DESCRIPTION");
    p.SetGain(StrToFloat(t.Field("GAIN_1")));
    p.FileName = t.Field("FILENAME");
    p.BeamWidth = StrToFloat(t.Field("BEAMWIDTH"));
    p.MaxBeamtilt = StrToFloat(t.Field("MAX_BEAMTILT"));
    p.MinBeamtilt = StrToFloat(t.Field("MIN_BEAMTILT"));
    p.SetDefaultBeamtilt(StrToFloat(t.Field("DEFAULT_BEAMTILT")));
    p.LoadPoints();
}

void FMElevation(TBroadcastDesign& d, const std::string& id, double tilt, double fill1) {
    TTextTable t = Row(FMDataPath() + "tblFM_Elevation.txt", "H_POL_ID", id);
    TFMPattern& p = d.ElevationPage.FMPattern;
    p.FamilyID = t.Field("FAMILY_ID");
    p.FeedCode = t.Field("FEED_CODE");
    p.BayCount = static_cast<int32_t>(StrToFloat(t.Field("BAY_COUNT")));
    p.BaySpacing = StrToFloat(t.Field("BAY_SPACING"));
    p.PolID = id;
    p.DetailLabel = t.Field("LABEL");
    p.BaseCose = t.Field("BASE_CODE");
    p.Description = t.Field("DESCRIPTION");
    p.SetGainFromFile(StrToFloat(t.Field("GAIN")));
    p.PolCode = d.OptionsPage.PolCode;
    p.CalculatePattern();
    p.SetBeamtilt(tilt);
    p.SetFirstNullFillPercent(fill1);
}

void Line(TBroadcastDesign& d, const std::string& partNumber, int vert, int horz) {
    TTransmissionLineList lines;
    LoadTransmissionList(lines, d.OptionsPage.Market, d.OptionsPage.Channel);
    for (int i = 0; i < lines.Count(); ++i) {
        if (lines.Line(i).PartNumber != partNumber) continue;
        TLinesPage& page = d.LinesPage;
        page.VertLength = vert;
        page.HorzLength = horz;
        page.Line.Assign(lines.Line(i));
        page.Line.SetTotalRunLength(vert + horz);
        if (partNumber.find("QPT") != std::string::npos)
            page.Line.HorzdB = GetWaveguideHorzdB(d.OptionsPage.Channel.ChannelNumber);
        return;
    }
    ADD_FAILURE() << partNumber << " is not offered for channel " << d.OptionsPage.Channel.ChannelNumber;
}

void Header(TBroadcastDesign& d, const std::string& system, const std::string& company) {
    d.DesignInfo.SystemType = system;
    d.DesignInfo.CompanyName = company;
    d.DesignInfo.Location = "1200 Transmitter Road";
    d.DesignInfo.Location2 = "Mount Sample";
    d.DesignInfo.Designer = "Sample Designer";
    d.DesignInfo.Date = kSampleDate;
    d.DesignInfo.SpecNo = "SAMPLE";
    d.DesignInfo.Notes = {"Sample design made from the sample installation."};
}

void TV(TBroadcastDesign& d, const std::string& channel, const std::string& family,
        const std::string& power, const std::string& mount, const std::string& pol) {
    TOptionsPage& o = d.OptionsPage;
    o.Market = mtUS;
    o.Channel = Channel(DataPath() + "tblChannels_US.txt", channel);
    o.FamilyID = family;
    o.PowerCode = power;
    o.MountCode = mount;
    o.PolCode = pol;
    o.Service = stDigital;
}

void FM(TBroadcastDesign& d, const std::string& channel, const std::string& family,
        const std::string& feed, const std::string& mount, const std::string& pol) {
    TOptionsPage& o = d.OptionsPage;
    o.Market = mtUS;
    o.Channel = Channel(FMDataPath() + "tblFM_Channels_List_US.txt", channel);
    o.FamilyID = family;
    o.PowerCode.clear();
    o.FeedCode = feed;
    o.MountCode = mount;
    o.PolCode = pol;
    o.Service = stDigital;
    o.MaxERPkW = 100;
}

// The power figures last, as on the analysis page.
void Power(TBroadcastDesign& d, double transmitterkW) {
    d.InitializeAnalisys();
    d.AnalysisPage.Analysis.SetFilterLossDB(0.1);
    d.AnalysisPage.Analysis.SetTransmitterPowerkW(transmitterkW);
    d.BuildPartNumber();  // FM designs take their connector text from the catalog
}

struct TSample {
    const char* name;
    std::function<void(TBroadcastDesign&)> build;
};

const std::vector<TSample>& Samples() {
    static const std::vector<TSample> samples = {
        {"kvr_horizontal_ch34", [](TBroadcastDesign& d) {
             Header(d, "TV", "Sample Television");
             TV(d, "34", "KVR", "M", "S", "H");
             Azimuth(d.AzimuthPage.HorzPattern, DataPath() + "tblAzimuth_H_Patterns.txt",
                     "H_PATTERN_ID", "KVR-CD", DataPath() + "tblPatternCode_Details.txt");
             Elevation(d.ElevationPage.HorzPattern, DataPath() + "tblH_Elevation.txt",
                       "H_POL_ID", "KVR16");
             d.ElevationPage.HorzPattern.SetBeamtilt(1.0);
             d.AzimuthPage.SetAngle(90);
             Line(d, "OAC400-50", 600, 60);
             Power(d, 10);
         }},
        {"miraldo_uhf_elliptical_top", [](TBroadcastDesign& d) {
             Header(d, "TV", "Sample Television \u00AE");
             TV(d, "30", "KLX-UHF", "N", "T", "E");
             d.OptionsPage.VerticalComponent = 30;
             d.OptionsPage.HighWind = true;
             const std::string details = DataPath() + "tblPatternCode_Details.txt";
             Azimuth(d.AzimuthPage.HorzPattern, DataPath() + "tblAzimuth_H_Patterns.txt",
                     "H_PATTERN_ID", "KLX-OC", details);
             Azimuth(d.AzimuthPage.VertPattern, DataPath() + "tblAzimuth_V_Patterns.txt",
                     "V_PATTERN_ID", "KLX-OC-V", details);
             Elevation(d.ElevationPage.HorzPattern, DataPath() + "tblH_Elevation.txt",
                       "H_POL_ID", "KLX16");
             Elevation(d.ElevationPage.VertPattern, DataPath() + "tblV_Elevation.txt",
                       "V_POL_ID", "KLX16V");
             Line(d, "ORL618QPT", 1000, 150);
             Power(d, 40);
         }},
        {"varnok_ch9", [](TBroadcastDesign& d) {
             Header(d, "TV", "Sample VHF Station");
             TV(d, "9", "VARNOK", "N", "S", "H");
             Azimuth(d.AzimuthPage.HorzPattern, DataPath() + "tblAzimuth_H_Patterns.txt",
                     "H_PATTERN_ID", "VARNOK-OC", DataPath() + "tblPatternCode_Details.txt");
             Elevation(d.ElevationPage.HorzPattern, DataPath() + "tblH_Elevation.txt",
                       "H_POL_ID", "VARNOK6");
             Line(d, "ORL318-50", 800, 80);
             Power(d, 15);
         }},
        {"qdmax_ch30", [](TBroadcastDesign& d) {
             Header(d, "TV", "Sample Low Power");
             TV(d, "30", "QD-MAX", "M", "S", "H");
             Azimuth(d.AzimuthPage.HorzPattern, DataPath() + "tblAzimuth_H_Patterns.txt",
                     "H_PATTERN_ID", "QDX-S", DataPath() + "tblPatternCode_Details.txt");
             Elevation(d.ElevationPage.HorzPattern, DataPath() + "tblH_Elevation.txt",
                       "H_POL_ID", "QDX12");
             Line(d, "OFC158-50", 400, 40);
             Power(d, 8);
         }},
        {"rnvx_circular_fm", [](TBroadcastDesign& d) {
             Header(d, "FM", "Sample FM 98.1");
             FM(d, "251", "RNVX", "C", "S", "E");
             d.OptionsPage.Radome = true;
             Azimuth(d.AzimuthPage.FMPattern, FMDataPath() + "tblAzimuth_H_Patterns.txt",
                     "H_PATTERN_ID", "RNVX-ST", FMDataPath() + "tblFM_AzPatternCode_Details.txt");
             d.AzimuthPage.FMPattern.PolCode = "E";
             d.AzimuthPage.FMPattern.LoadPoints();
             FMElevation(d, "RNVX-8C", -0.5, 10);
             Line(d, "OAC300-50", 500, 50);
             Power(d, 15);
         }},
        {"240c_fm", [](TBroadcastDesign& d) {
             Header(d, "FM", "Sample Community FM");
             FM(d, "251", "240C", "E", "S", "E");
             d.OptionsPage.MaxERPkW = 6;
             d.AzimuthPage.FMPattern.PolCode = "E";
             Azimuth(d.AzimuthPage.FMPattern, FMDataPath() + "tblAzimuth_H_Patterns.txt",
                     "H_PATTERN_ID", "240C-ST", FMDataPath() + "tblFM_AzPatternCode_Details.txt");
             FMElevation(d, "240C-4E", 0, 0);
             Line(d, "OFC78-50", 200, 20);
             Power(d, 1.2);
         }},
        {"custom_tv", [](TBroadcastDesign& d) {
             Header(d, "TV", "Sample Custom TV");
             TV(d, "34", "CTM", "", "S", "E");
             d.OptionsPage.CustomLabel = "SPECIAL UHF PANEL";
             d.OptionsPage.VerticalComponent = 20;
             d.AzimuthPage.HorzPattern.SetGain(1.5);
             d.AzimuthPage.HorzPattern.PatternID = "DIRECTIONAL";
             d.AzimuthPage.VertPattern.SetGain(1);
             d.AzimuthPage.VertPattern.PatternID = "NON-DIRECTIONAL";
             d.ElevationPage.HorzPattern.SetGain(15);
             d.ElevationPage.HorzPattern.DetailLabel = "CUSTOMER DEFINED";
             d.ElevationPage.VertPattern.SetGain(13);
             d.ElevationPage.VertPattern.DetailLabel = "CUSTOMER DEFINED";
             Line(d, "ORL318-50", 500, 50);
             Power(d, 12);
         }},
        {"custom_fm", [](TBroadcastDesign& d) {
             Header(d, "FM", "Sample Custom FM");
             FM(d, "251", "CTM", "E", "T", "H");
             d.AzimuthPage.FMPattern.SetGain(1);
             d.AzimuthPage.FMPattern.PatternID = "NON-DIRECTIONAL";
             d.ElevationPage.FMPattern.SetGain(4);
             d.ElevationPage.FMPattern.DetailLabel = "CUSTOMER DEFINED";
             Line(d, "OFC158-50", 300, 30);
             Power(d, 5);
         }},
    };
    return samples;
}

std::string SourceSamplesDir() {
    return (std::filesystem::path(test::FixturesDir()) / ".." / ".." / "install" / "samples")
        .lexically_normal()
        .string();
}

std::string Saved(const TBroadcastDesign& d) {
    TProfile p;
    WriteDesign(d, p);
    return p.Text();
}

class SampleDesigns : public ::testing::Test {
protected:
    void SetUp() override { InitFolders(test::BinDir()); }
};

}  // namespace

TEST_F(SampleDesigns, AgreeWithTheInstallation) {
    const char* write = std::getenv("VELMO_WRITE_SAMPLES");
    const bool update = write && std::string(write) == "1";
    if (update) std::filesystem::create_directories(SourceSamplesDir());
    test::TempDir dir;
    for (const auto& s : Samples()) {
        TBroadcastDesign d;
        s.build(d);
        const std::string file = std::string(s.name) + ".bcst";
        const std::string built = dir.File(file);
        d.SaveToFile(built);
        if (update) {
            d.SaveToFile(SourceSamplesDir() + "/" + file);
            continue;
        }
        const std::string shipped = test::BinDir() + "samples/" + file;
        ASSERT_TRUE(std::filesystem::exists(shipped))
            << file << " is missing: run test_model with VELMO_WRITE_SAMPLES=1";
        EXPECT_EQ(ReadTextFile(shipped), ReadTextFile(built))
            << file << " no longer agrees with the installation: run test_model with "
                       "VELMO_WRITE_SAMPLES=1 and check the difference";
    }
}

TEST_F(SampleDesigns, LoadSaveAndReloadEqual) {
    test::TempDir dir;
    int count = 0;
    for (const auto& entry : std::filesystem::directory_iterator(test::BinDir() + "samples")) {
        if (entry.path().extension() != ".bcst") continue;
        ++count;
        const std::string name = entry.path().filename().string();
        ASSERT_TRUE(CheckDesignHeader(entry.path().string())) << name;
        auto first = LoadDesignFile(entry.path().string());
        const std::string copy = dir.File(name);
        first->SaveToFile(copy);
        auto second = LoadDesignFile(copy);
        EXPECT_EQ(Saved(*second), Saved(*first)) << name;
        EXPECT_FALSE(first->BuildPartNumber().empty()) << name;
        TMechanicalData m;
        first->GetMechanical(m);
        EXPECT_FALSE(m.ClimbingDevice.empty()) << name;
    }
    EXPECT_GE(count, 8);
}

// What the samples show: part numbers and connector texts from the catalogs.
TEST_F(SampleDesigns, PartNumbers) {
    struct Case { const char* name; const char* partNumber; const char* input; } cases[] = {
        {"kvr_horizontal_ch34", "KVR16M4-HSCD-34", "3-1/8 EIA 50 Ohm"},
        {"miraldo_uhf_elliptical_top", "KLX16H3-ETOC-30H", "CONTACT Orvane"},
        {"qdmax_ch30", "QDX12S-30-PM", "3-1/8 EIA 50 Ohm"},
        {"varnok_ch9", "VARNOK6-9", ""},
        {"rnvx_circular_fm", "RNVX-8C-31", "3-1/8 EIA 50 Ohm"},
        {"240c_fm", "240C-4E-D", "7/16 DIN FEMALE 50 Ohm"},
        {"custom_tv", "SPECIAL UHF PANEL", "CONTACT Orvane"},
        {"custom_fm", "CUSTOM", "Contact Orvane"},
    };
    for (const auto& c : cases) {
        auto d = LoadDesignFile(test::BinDir() + "samples/" + c.name + ".bcst");
        EXPECT_EQ(d->BuildPartNumber(), c.partNumber) << c.name;
        if (std::string(c.input) != "") {
            EXPECT_EQ(d->InputType(), c.input) << c.name;
        }
    }
}

// The reader against arbitrary damage: mutated copies of every sample (bytes flipped,
// inserted, deleted, lines duplicated or cut, numbers replaced by extreme values).
// Every load either succeeds or ends with a velmo::Error; the sanitizer build checks
// that nothing reads out of bounds.
TEST_F(SampleDesigns, ReaderSurvivesMutatedFiles) {
    std::vector<std::string> seeds;
    for (const auto& entry : std::filesystem::directory_iterator(test::BinDir() + "samples"))
        if (entry.path().extension() == ".bcst") seeds.push_back(test::ReadAll(entry.path().string()));
    ASSERT_FALSE(seeds.empty());
    using namespace std::string_literals;
    const std::string tokens[] = {"="s, "["s, "]"s, "\r\n"s, "\""s, "0x"s, "$"s, "-"s, "1E308"s,
                                  "-1E308"s, "2147483647"s, "-2147483648"s, "99999999999"s, "nan"s,
                                  "inf"s, "\xEF\xBB\xBF"s, "\xFF\xFE"s, "\0"s, ","s, "1e-320"s,
                                  "[ELEVATION]\r\nfm_baycount="s, ";"s};
    std::mt19937 rng(20261210);
    int loaded = 0, refused = 0, failed = 0;
    const int runs = 3000;
    for (int run = 0; run < runs; ++run) {
        std::string s = seeds[rng() % seeds.size()];
        const int edits = 1 + static_cast<int>(rng() % 8);
        for (int e = 0; e < edits && !s.empty(); ++e) {
            size_t pos = rng() % s.size();
            switch (rng() % 6) {
                case 0: s[pos] = static_cast<char>(rng() & 0xFF); break;
                case 1: s.erase(pos, 1 + rng() % 40); break;
                case 2: s.insert(pos, tokens[rng() % std::size(tokens)]); break;
                case 3: {  // a number anywhere becomes an extreme one
                    size_t eq = s.find('=', pos);
                    if (eq != std::string::npos)
                        s.insert(eq + 1, tokens[8 + rng() % 6]);
                    break;
                }
                case 4: s = s.substr(0, pos); break;
                case 5: {
                    size_t len = std::min<size_t>(s.size() - pos, 200);
                    s.insert(pos, s.substr(pos, len));
                    break;
                }
            }
        }
        try {
            // As LoadFromFile reads a file, from memory.
            TProfile profile;
            profile.SetText(DecodeText(s));
            if (CheckDesignHeader(profile)) {
                auto d = std::make_unique<TBroadcastDesign>();
                ReadDesign(*d, profile);
                // Whatever loaded saves and loads back to the same file.
                TProfile out;
                WriteDesign(*d, out);
                TProfile again;
                again.SetText(out.Text());
                TBroadcastDesign reloaded;
                ReadDesign(reloaded, again);
                TProfile out2;
                WriteDesign(reloaded, out2);
                EXPECT_EQ(out2.Text(), out.Text()) << s;
                if (out2.Text() != out.Text()) break;
                d->BuildPartNumber();
                TMechanicalData m;
                d->GetMechanical(m);
                ++loaded;
            } else {
                ++refused;
            }
        } catch (const Error&) {
            ++failed;
        }
    }
    EXPECT_EQ(loaded + refused + failed, runs);
    EXPECT_GT(loaded, 0);
    RecordProperty("loaded", loaded);
    RecordProperty("refused", refused);
    RecordProperty("failed", failed);
}

// The horizon gain of a computed FM design: reopened from its file, copied into a working
// design (as the wizard does) and moved there to another tilt and fill, it is what a
// fresh computation with the same parameters gives: the stored gain with the horizon
// field of the computed pattern.
TEST_F(SampleDesigns, FMHorizonGainOfAReopenedDesignIsTheFreshOne) {
    const auto& samples = Samples();
    auto build = [&](const std::string& name, TBroadcastDesign& d) {
        for (const auto& s : samples)
            if (name == s.name) return s.build(d);
        FAIL() << name;
    };
    struct Case {
        const char* sample;
        double tilt, fill1;  // NaN: as the sample has them
    } cases[] = {
        {"rnvx_circular_fm", NAN, NAN},
        {"240c_fm", NAN, NAN},
        {"rnvx_circular_fm", -1.0, 25},  // a tilted, filled array: gain below the catalog's
        {"240c_fm", -1.25, 0},
    };
    auto expectSameHorizon = [](const TBroadcastDesign& got, const TBroadcastDesign& want,
                                const std::string& what) {
        const TFMPattern& g = got.ElevationPage.FMPattern;
        const TFMPattern& w = want.ElevationPage.FMPattern;
        EXPECT_NEAR(g.Gain(), w.Gain(), 1e-9) << what;
        EXPECT_NEAR(g.GainAtZero(), w.GainAtZero(), 1e-9) << what;
        EXPECT_NEAR(g.HorzdBd, w.HorzdBd, 1e-9) << what;
        EXPECT_NEAR(g.HorzNum, w.HorzNum, 1e-9) << what;
        EXPECT_NEAR(g.HorzdBd, g.MainLobedBd + 20 * std::log10(g.GainAtZero()), 1e-9) << what;
        EXPECT_NEAR(got.GetGainAtHorzdBd(ptFM), want.GetGainAtHorzdBd(ptFM), 1e-9) << what;
    };
    test::TempDir dir;
    for (const auto& c : cases) {
        const std::string what = std::string(c.sample) + " tilt " + FormatGeneral(c.tilt);
        TBroadcastDesign fresh;
        build(c.sample, fresh);
        TFMPattern& fp = fresh.ElevationPage.FMPattern;
        if (!std::isnan(c.tilt)) {
            fp.SetBeamtilt(c.tilt);
            fp.SetFirstNullFillPercent(c.fill1);
            Power(fresh, fresh.AnalysisPage.Analysis.TransmitterPowerkW());
        }
        ASSERT_GT(fp.GainAtZero(), 0) << what;
        if (fp.Beamtilt() == 0 && fp.FirstNullFillPercent() == 0) {
            EXPECT_NEAR(fp.GainAtZero(), 1, 1e-9) << what;
            EXPECT_NEAR(fresh.GetGainAtHorzdBd(ptFM),
                        fresh.AnalysisPage.Analysis.PowerGaindBdHorz(), 1e-9) << what;
        }
        const std::string file = dir.File(std::string(c.sample) + ".bcst");
        fresh.SaveToFile(file);
        auto reopened = LoadDesignFile(file);
        expectSameHorizon(*reopened, fresh, what + " reopened");

        // The wizard's road: Assign into the working design, then a tilt and fill change.
        TBroadcastDesign working;
        working.Assign(*reopened);
        working.InitializeAnalisys();
        expectSameHorizon(working, fresh, what + " assigned");
        working.ElevationPage.FMPattern.SetBeamtilt(-0.75);
        working.ElevationPage.FMPattern.SetFirstNullFillPercent(15);
        fp.SetBeamtilt(-0.75);
        fp.SetFirstNullFillPercent(15);
        working.InitializeAnalisys();
        fresh.InitializeAnalisys();
        expectSameHorizon(working, fresh, what + " changed in the wizard");
    }
    // The shipped files themselves give the horizon gain of their computed pattern.
    for (const char* name : {"rnvx_circular_fm", "240c_fm"}) {
        TBroadcastDesign fresh;
        build(name, fresh);
        auto shipped = LoadDesignFile(test::BinDir() + "samples/" + name + ".bcst");
        expectSameHorizon(*shipped, fresh, std::string(name) + " shipped");
    }
    // The custom FM design has no computed pattern: its horizon gain is its entered gain.
    auto custom = LoadDesignFile(test::BinDir() + "samples/custom_fm.bcst");
    const TFMPattern& cp = custom->ElevationPage.FMPattern;
    EXPECT_NEAR(cp.GainAtZero(), 1, 1e-12);
    EXPECT_NEAR(cp.HorzNum, cp.Gain(), 1e-12);
    EXPECT_NEAR(cp.HorzdBd, 10 * std::log10(cp.Gain()), 1e-12);
    EXPECT_NEAR(custom->GetGainAtHorzdBd(ptFM), custom->AnalysisPage.Analysis.PowerGaindBdHorz(), 1e-12);
}

// Every shipped sample is a design the wizard could have made: its mounting,
// polarization and feed are offered for its family, its tilt lies in the range the
// elevation page allows, and a VARNOK (a side-mounted high-band VHF antenna, as its report
// title says) is side mounted on a high-band channel.
TEST_F(SampleDesigns, AreDesignsTheProgramOffers) {
    auto offered = [](const std::string& table, const std::string& column,
                      const std::string& family, const std::string& value) {
        TTextTable t;
        t.LoadFromFile(table);
        for (; !t.Eof(); t.MoveNext())
            if (t.Field("FAMILY_ID") == family && t.Field(column) == value) return true;
        return false;
    };
    int count = 0;
    for (const auto& entry : std::filesystem::directory_iterator(test::BinDir() + "samples")) {
        if (entry.path().extension() != ".bcst") continue;
        ++count;
        SCOPED_TRACE(entry.path().filename().string());
        auto d = LoadDesignFile(entry.path().string());
        const TOptionsPage& o = d->OptionsPage;
        if (d->DesignInfo.SystemType == "FM") {
            const std::string fm = FMDataPath();
            EXPECT_TRUE(offered(fm + "tblFamilyID_To_Mount_Type.txt", "MOUNT_TYPE", o.FamilyID, o.MountCode));
            EXPECT_TRUE(offered(fm + "tblFamilyID_To_Polarization_Type.txt", "POLARIZATION", o.FamilyID,
                                o.PolCode));
            EXPECT_TRUE(offered(fm + "tblFamilyID_To_Feed_Type.txt", "FEED_TYPE", o.FamilyID, o.FeedCode));
            const TFMPattern& p = d->ElevationPage.FMPattern;
            EXPECT_GE(p.Beamtilt(), -1.25);
            EXPECT_LE(p.Beamtilt(), 0);
            EXPECT_GE(p.FirstNullFillPercent(), 0);
            EXPECT_GE(p.SecondNullFillPercent(), 0);
        } else {
            EXPECT_TRUE(offered(DataPath() + "tblMount_To_Antenna_Type.txt", "MOUNT_TYPE", o.FamilyID,
                                o.MountCode));
            EXPECT_TRUE(offered(DataPath() + "tblPolarization_To_Antenna_Type.txt", "POLARIZATION",
                                o.FamilyID, o.PolCode));
            if (o.FamilyID != "CTM" && o.FamilyID != "KVR") {
                const THorzPattern& p = d->ElevationPage.HorzPattern;
                EXPECT_GE(p.Beamtilt(), p.MinBeamtilt);
                EXPECT_LE(p.Beamtilt(), p.MaxBeamtilt);
            }
        }
    }
    EXPECT_GE(count, 8);
    // The installation offers VARNOK side mounted only, on high-band VHF channels only.
    TTextTable mounts;
    mounts.LoadFromFile(DataPath() + "tblMount_To_Antenna_Type.txt");
    int varnokMounts = 0;
    for (; !mounts.Eof(); mounts.MoveNext())
        if (mounts.Field("FAMILY_ID") == "VARNOK") {
            ++varnokMounts;
            EXPECT_EQ(mounts.Field("MOUNT_TYPE"), "S");
        }
    EXPECT_EQ(varnokMounts, 1);
    for (const char* plan : {"US", "Euro", "Australian"}) {
        const std::string shortName = std::string(plan) == "Australian" ? "Aus" : plan;
        TTextTable channels;
        channels.LoadFromFile(DataPath() + "tblChannels_" + plan + ".txt");
        std::map<std::string, double> beg;
        for (; !channels.Eof(); channels.MoveNext())
            beg[channels.Field("CHANNEL")] = StrToFloat(channels.Field("BEG_FREQ"));
        TTextTable join;
        join.LoadFromFile(DataPath() + "tblChannel_" + shortName + "_To_Antenna.txt");
        int varnok = 0;
        for (; !join.Eof(); join.MoveNext())
            if (join.Field("FAMILY_ID") == "VARNOK") {
                ++varnok;
                EXPECT_GE(beg[join.Field("CHANNEL")], 174) << plan << " " << join.Field("CHANNEL");
                EXPECT_LT(beg[join.Field("CHANNEL")], 300) << plan << " " << join.Field("CHANNEL");
            }
        EXPECT_GT(varnok, 0) << plan;
    }
}
