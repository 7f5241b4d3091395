#include "model/designfile.h"

#include <algorithm>
#include <cmath>
#include <ctime>
#include <filesystem>

#include "base/numbers.h"
#include "base/warnings.h"
#include "model/design.h"
#include "patterns/fmarray.h"

namespace velmo {

namespace {

constexpr const char* kHeader = "HEADER";
constexpr const char* kDesign = "DESIGN";
constexpr const char* kParameters = "PARAMETERS";
constexpr const char* kAzimuth = "AZIMUTH";
constexpr const char* kElevation = "ELEVATION";
constexpr const char* kLines = "LINES";
constexpr const char* kAnalysis = "ANALYSIS";

const char* const kPrefixes[] = {"horz_", "vert_", "fm_"};

class TWriter {
public:
    TWriter(TProfile& p, const char* section) : FProfile(p), FSection(section) {}
    void Text(const std::string& key, const std::string& v) { FProfile.WriteString(FSection, key, v); }
    void Int(const std::string& key, long long v) { FProfile.WriteInteger(FSection, key, v); }
    void Bool(const std::string& key, bool v) { FProfile.WriteBool(FSection, key, v); }
    void Float(const std::string& key, double v) { FProfile.WriteString(FSection, key, FormatGeneral(v)); }

private:
    TProfile& FProfile;
    const char* FSection;
};

class TReader {
public:
    TReader(const TProfile& p, const char* section) : FProfile(p), FSection(section) {}
    std::string Text(const std::string& key, const std::string& def = "") const {
        return FProfile.ReadString(FSection, key, def);
    }
    int32_t Int(const std::string& key, int32_t def) const {
        return static_cast<int32_t>(FProfile.ReadInteger(FSection, key, def));
    }
    bool Bool(const std::string& key, bool def) const { return FProfile.ReadBool(FSection, key, def); }
    // A missing key gives the default text; a text that does not convert raises
    // ConvertError with that text.
    double Float(const std::string& key, const std::string& def) const {
        return DataStrToFloat(Text(key, def));
    }
    // An ordinal outside the enumeration gives the key's default.
    template <typename E>
    E Enum(const std::string& key, E def, int count) const {
        int32_t v = Int(key, def);
        return (v >= 0 && v < count) ? static_cast<E>(v) : def;
    }
    // An integer brought into [lo, hi]; a value outside is replaced by the nearer end,
    // with a warning that names the key.
    int32_t BoundedInt(const std::string& key, int32_t def, int32_t lo, int32_t hi) const {
        const int32_t v = Int(key, def);
        if (v >= lo && v <= hi) return v;
        const int32_t used = v < lo ? lo : hi;
        Warn("The design's " + key + " of " + FormatInt(v) + " lies outside " + FormatInt(lo) +
             " to " + FormatInt(hi) + "; " + FormatInt(used) + " is used.");
        return used;
    }
    // A negative count reads no line; a huge one at most kMaxDesignListLines.
    void List(const std::string& countKey, const std::string& itemKey,
              std::vector<std::string>& lines) const {
        const int32_t stored = Int(countKey, 0);
        const int32_t n = std::min<int32_t>(stored, kMaxDesignListLines);
        if (stored > n)
            Warn("The design's " + countKey + " of " + FormatInt(stored) + " is more than " +
                 FormatInt(kMaxDesignListLines) + "; the first " + FormatInt(n) + " lines are read.");
        for (int32_t i = 0; i < n; ++i) lines.push_back(Text(itemKey + FormatInt(i)));
    }

private:
    const TProfile& FProfile;
    const char* FSection;
};

std::string PolKey(const std::string& prefix) {
    // The vertical azimuth pattern's polarization is stored under this name.
    return prefix == "vert_" ? "vert_polecode" : prefix + "polcode";
}

// Civil date -> days since 1 January 1970 (proleptic Gregorian).
long long DaysFromCivil(long long y, unsigned m, unsigned d) {
    y -= m <= 2;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<long long>(doe) - 719468;
}

}  // namespace

double NowAsDateTime() {
    std::time_t t = std::time(nullptr);
    std::tm tm{};
    localtime_r(&t, &tm);
    // 30 December 1899 is 25569 days before 1 January 1970.
    long long days = DaysFromCivil(tm.tm_year + 1900LL, static_cast<unsigned>(tm.tm_mon + 1),
                                   static_cast<unsigned>(tm.tm_mday)) + 25569;
    double secs = tm.tm_hour * 3600.0 + tm.tm_min * 60.0 + tm.tm_sec;
    return static_cast<double>(days) + secs / 86400.0;
}

void WriteDesign(const TBroadcastDesign& d, TProfile& profile) {
    {
        TWriter w(profile, kHeader);
        w.Int("version", 1);
        w.Text("type", "Velmo");
    }
    {
        TWriter w(profile, kDesign);
        const TDesignInfo& i = d.DesignInfo;
        w.Text("companyname", i.CompanyName);
        w.Text("designer", i.Designer);
        w.Float("date", i.Date);
        w.Int("notes_count", static_cast<long long>(i.Notes.size()));
        for (size_t n = 0; n < i.Notes.size(); ++n)
            w.Text("note_item" + FormatInt(static_cast<long long>(n)), i.Notes[n]);
        w.Int("report_count", static_cast<long long>(d.ReportTitle.size()));
        for (size_t n = 0; n < d.ReportTitle.size(); ++n)
            w.Text("report_item" + FormatInt(static_cast<long long>(n)), d.ReportTitle[n]);
        w.Text("location", i.Location);
        w.Text("location2", i.Location2);
        w.Text("spec_no", i.SpecNo);
        w.Text("system_type", i.SystemType);
    }
    {
        TWriter w(profile, kParameters);
        const TOptionsPage& o = d.OptionsPage;
        w.Int("market", o.Market);
        w.Text("channel", o.Channel.ChannelNumber);
        w.Float("channel_beg_freq", o.Channel.BegFreq);
        w.Float("channel_end_freq", o.Channel.EndFreq);
        w.Float("channel_mid_freq", o.Channel.MidFreq);
        w.Float("channel_frequency", o.Channel.Frequency);
        w.Text("channel_desc", o.Channel.Desc);
        w.Text("family", o.FamilyID);
        w.Text("powercode", o.PowerCode);
        w.Text("customlabel", o.CustomLabel);
        w.Text("mountcode", o.MountCode);
        w.Text("polcode", o.PolCode);
        w.Text("feedcode", o.FeedCode);
        w.Bool("radome", o.Radome);
        w.Bool("deicer", o.Deicer);
        w.Float("max_erp_kw", o.MaxERPkW);
        w.Int("service", o.Service);
        w.Float("verticalcomponent", o.VerticalComponent);
        w.Bool("highwind", o.HighWind);
    }
    {
        TWriter w(profile, kAzimuth);
        const TAzimuthPage& page = d.AzimuthPage;
        const TPatternType types[] = {ptHorizontal, ptVertical, ptFM};
        for (int k = 0; k < 3; ++k) {
            const std::string p = kPrefixes[k];
            const TAzPattern& a = page.Pattern(types[k]);
            w.Text(p + "patterncode", a.PatternCode);
            w.Text(p + "patternid", a.PatternID);
            w.Text(PolKey(p), a.PolCode);
            w.Text(p + "description", a.Desc);
            w.Float(p + "gain", a.Gain());
            w.Text(p + "filename", a.FileName);
            w.Float(p + "beamwidth", a.Beamwidth);
        }
        w.Int("angle", page.Angle());
        w.Int("power_type", page.PowerType);
    }
    {
        TWriter w(profile, kElevation);
        const TElevationPage& page = d.ElevationPage;
        const TPatternType types[] = {ptHorizontal, ptVertical, ptFM};
        for (int k = 0; k < 3; ++k) {
            const std::string p = kPrefixes[k];
            const bool fm = types[k] == ptFM;
            const TElPattern& e = page.Pattern(types[k]);
            w.Text(p + "polid", e.PolID);
            w.Text(p + "polcode", e.PolCode);
            w.Text(p + "label", e.DetailLabel);
            w.Bool(p + "smooth", e.Smooth);
            w.Text(p + "basecode", e.BaseCose);
            w.Text(p + "description", e.Description);
            w.Text(p + "filename", e.FileName);
            w.Float(p + "gain", e.Gain());
            w.Float(p + "defaultbeamtilt", e.DefaultBeamtilt());
            w.Float(p + "beamtilt", e.Beamtilt());
            w.Float(p + "maxbeamtilt", e.MaxBeamtilt);
            w.Float(p + "minbeamtilt", e.MinBeamtilt);
            w.Float(p + "beamwidth", e.BeamWidth);
            if (fm) {
                w.Float(p + "firstnullfillpercent", e.FirstNullFillPercent());
                w.Float(p + "secondnullfillpercent", e.SecondNullFillPercent());
            }
            w.Int(p + "baycount", e.BayCount);
            if (fm) w.Float(p + "bayspacing", e.BaySpacing);
            w.Text(p + "feedcode", e.FeedCode);
        }
        w.Int("view_type", page.ViewType);
        w.Int("range_type", page.RangeType);
        w.Int("power_type", page.PowerType);
    }
    {
        TWriter w(profile, kLines);
        const TLinesPage& page = d.LinesPage;
        const TTransmissionLine& l = page.Line;
        w.Int("vertlength", page.VertLength);
        w.Int("horzlength", page.HorzLength);
        w.Int("peakpower", page.PeakPower);
        w.Text("partnumber", l.PartNumber);
        w.Text("description", l.Description);
        w.Float("endfreq", l.EndFreq);
        w.Float("begfreq", l.BegFreq);
        w.Float("avgpower", l.AvgPower());
        w.Float("dbperfoot", l.dBPerFoot());
        w.Float("horzdbperfoot", l.HorzdB);
        w.Int("aural", l.Aural());
        w.Int("totalrunlength", l.TotalRunLength());
        w.Int("input", page.InputInfo.Input);
        w.Float("input_value", page.InputInfo.Value);
        w.Text("input_type", d.InputType());
    }
    {
        TWriter w(profile, kAnalysis);
        const TPowerAnalysis& a = d.AnalysisPage.Analysis;
        w.Float("power", a.TransmitterPowerkW());
        w.Float("max_input_power", a.MaxInputPower);
        w.Float("isolation_transformer_loss_db", a.IsolationTransformerLossDB());
        w.Float("filter_loss_db", a.FilterLossDB());
        w.Float("circulator_loss_db", a.CirculatorLossDB());
    }
}

void ReadDesign(TBroadcastDesign& d, const TProfile& profile) {
    // 1. header data and report lines
    {
        TReader r(profile, kDesign);
        TDesignInfo& i = d.DesignInfo;
        i.CompanyName = r.Text("companyname");
        i.Designer = r.Text("designer");
        const std::string date = r.Text("date");
        i.Date = date.empty() ? NowAsDateTime() : DataStrToFloat(date);
        r.List("notes_count", "note_item", i.Notes);
        r.List("report_count", "report_item", d.ReportTitle);
        i.Location = r.Text("location");
        i.Location2 = r.Text("location2");
        i.SpecNo = r.Text("spec_no");
        i.SystemType = r.Text("system_type", "TV");
    }
    // 2. system parameters
    {
        TReader r(profile, kParameters);
        TOptionsPage& o = d.OptionsPage;
        o.Market = r.Enum<TMarketType>("market", mtUS, 3);
        o.Channel.ChannelNumber = r.Text("channel");
        o.Channel.BegFreq = r.Float("channel_beg_freq", "0");
        o.Channel.EndFreq = r.Float("channel_end_freq", "0");
        o.Channel.MidFreq = r.Float("channel_mid_freq", "1");
        o.Channel.Frequency = r.Float("channel_frequency", "0");
        o.Channel.Desc = r.Text("channel_desc");
        o.FamilyID = r.Text("family");
        o.PowerCode = r.Text("powercode");
        o.CustomLabel = r.Text("customlabel");
        o.MountCode = r.Text("mountcode");
        o.PolCode = r.Text("polcode");
        o.FeedCode = r.Text("feedcode");
        o.Radome = r.Bool("radome", false);
        o.Deicer = r.Bool("deicer", false);
        o.MaxERPkW = r.Float("max_erp_kw", "0");
        o.Service = r.Enum<TServiceType>("service", stAnalog, 2);
        o.VerticalComponent = r.Float("verticalcomponent", "0");
        o.HighWind = r.Bool("highwind", false);
    }
    // 3. azimuth patterns, their points, then the rotation
    {
        TReader r(profile, kAzimuth);
        TAzimuthPage& page = d.AzimuthPage;
        const TPatternType types[] = {ptHorizontal, ptVertical, ptFM};
        for (int k = 0; k < 3; ++k) {
            const std::string p = kPrefixes[k];
            TAzPattern& a = page.Pattern(types[k]);
            a.PatternCode = r.Text(p + "patterncode", k == 0 ? a.PatternCode : "");
            a.PatternID = r.Text(p + "patternid");
            a.PolCode = r.Text(PolKey(p));
            a.Desc = r.Text(p + "description");
            a.SetGain(r.Float(p + "gain", ""));
            a.FileName = r.Text(p + "filename");
            a.Beamwidth = r.Float(p + "beamwidth", "");
            a.LoadPoints();
        }
        page.SetAngle(r.Int("angle", 0));
        // The stored angle applies to the lists that tables and exports read.
        for (TPatternType t : types) page.Pattern(t).SetAdjustedPoints();
        page.PowerType = r.Enum<TPowerType>("power_type", ptRF, 2);
    }
    // 4.-6. elevation patterns
    {
        TReader r(profile, kElevation);
        TElevationPage& page = d.ElevationPage;
        const TPatternType types[] = {ptHorizontal, ptVertical, ptFM};
        double fmGain = 0;
        double fmBeamWidth = 0;
        for (int k = 0; k < 3; ++k) {
            const std::string p = kPrefixes[k];
            const bool fm = types[k] == ptFM;
            TElPattern& e = page.Pattern(types[k]);
            // The catalogs only offer patterns of the design's family, and the family
            // decides how points are read (TV) and computed (FM element constant).
            e.FamilyID = d.OptionsPage.FamilyID;
            e.PolID = r.Text(p + "polid");
            e.PolCode = r.Text(p + "polcode");
            e.Smooth = r.Bool(p + "smooth", k != 0);
            e.DetailLabel = r.Text(p + "label");
            e.BaseCose = r.Text(p + "basecode");
            e.Description = r.Text(p + "description");
            e.FileName = r.Text(p + "filename");
            const double gain = r.Float(p + "gain", "");
            e.SetGain(gain);
            e.SetDefaultBeamtilt(r.Float(p + "defaultbeamtilt", ""));
            e.SetBeamtilt(r.Float(p + "beamtilt", ""));
            e.MaxBeamtilt = r.Float(p + "maxbeamtilt", "");
            e.MinBeamtilt = r.Float(p + "minbeamtilt", "");
            e.BeamWidth = r.Float(p + "beamwidth", "");
            if (fm) fmBeamWidth = e.BeamWidth;
            if (fm) {
                // A missing null fill is none, whatever the decimal separator.
                e.SetFirstNullFillPercent(r.Float(p + "firstnullfillpercent", "0"));
                e.SetSecondNullFillPercent(r.Float(p + "secondnullfillpercent", "0"));
            }
            e.BayCount = r.BoundedInt(p + "baycount", fm ? 12 : 16, 0, kMaxBayCount);
            if (fm) e.BaySpacing = r.Float(p + "bayspacing", "");
            e.FeedCode = r.Text(p + "feedcode");
            if (fm) {
                fmGain = gain;
            } else {
                e.LoadPoints();
            }
        }
        TFMPattern& fm = page.FMPattern;
        if (d.DesignInfo.SystemType == "FM") {
            // The points are computed anew; the gain stays the stored one. The file does
            // not hold the catalog gain of the plain array, which every later computation
            // (a tilt or fill change, an Assign into the working design) scales: it is
            // taken back from the stored gain and the directivity ratio of this
            // computation (run with a catalog gain of 1), so a computation with the
            // same parameters gives the stored gain again.
            fm.SetGainFromFile(1);
            fm.CalculatePattern();
            const double ratio = fm.Gain();
            const double fromFile = ratio > 0 ? fmGain / ratio : fmGain;
            fm.SetGainFromFile(std::isfinite(fromFile) ? fromFile : fmGain);
            fm.SetGain(fmGain);
        } else {
            // Not computed again: the gain and beam width stay as stored (the setters
            // above computed with the parameters read so far).
            fm.SetGain(fmGain);
            fm.BeamWidth = fmBeamWidth;
        }
        // The horizon gain follows the gain that stays, not the one of the computation.
        fm.SetGainAtZero(fm.GainAtZero());
        page.ViewType = r.Enum<TViewType>("view_type", vtPortrait, 2);
        page.RangeType = r.Enum<TRangeType>("range_type", rtFiveToTen, 2);
        page.PowerType = r.Enum<TPowerType>("power_type", ptRF, 2);
    }
    // 7. line run (property writes in this order)
    {
        TReader r(profile, kLines);
        TLinesPage& page = d.LinesPage;
        TTransmissionLine& l = page.Line;
        page.VertLength = r.BoundedInt("vertlength", 0, 0, kMaxLineLengthFeet);
        page.HorzLength = r.BoundedInt("horzlength", 0, 0, kMaxLineLengthFeet);
        page.PeakPower = r.Int("peakpower", 0);
        l.PartNumber = r.Text("partnumber");
        l.Description = r.Text("description");
        l.SetTotalRunLength(r.BoundedInt("totalrunlength", 0, 0, kMaxLineLengthFeet));
        l.SetAural(r.BoundedInt("aural", 0, 0, 100));
        l.EndFreq = r.Float("endfreq", "");
        l.BegFreq = r.Float("begfreq", "");
        l.SetAvgPower(r.Float("avgpower", ""));
        l.SetdBPerFoot(r.Float("dbperfoot", ""));
        l.HorzdB = r.Float("horzdbperfoot", "0");
        page.InputInfo.Input = r.Enum<TInputType>("input", itSix, 3);
        page.InputInfo.Value = r.Float("input_value", "100");
        d.SetInputType(r.Text("input_type", "CONTACT Orvane"));
    }
    // 8. the power analysis from the loaded pages
    d.InitializeAnalisys();
    // 9. its stored inputs
    {
        TReader r(profile, kAnalysis);
        TPowerAnalysis& a = d.AnalysisPage.Analysis;
        a.SetTransmitterPowerkW(r.Float("power", "1"));
        a.MaxInputPower = r.Float("max_input_power", "0");
        a.SetIsolationTransformerLossDB(r.Float("isolation_transformer_loss_db", "0"));
        a.SetFilterLossDB(r.Float("filter_loss_db", "0"));
        a.SetCirculatorLossDB(r.Float("circulator_loss_db", "0"));
    }
}

bool CheckDesignHeader(const TProfile& profile) {
    return profile.ReadString(kHeader, "type", "null") == "Velmo";
}

void TBroadcastDesign::SaveToFile(const std::string& fileName) const {
    TProfile profile;
    std::error_code ec;
    if (std::filesystem::exists(fileName, ec) && !profile.LoadFromFile(fileName))
        throw Error("Unable to write to " + fileName);
    WriteDesign(*this, profile);
    profile.SaveToFile(fileName);
}

void TBroadcastDesign::LoadFromFile(const std::string& fileName) {
    FileName = fileName;
    TProfile profile;
    profile.LoadFromFile(fileName);
    ReadDesign(*this, profile);
}

bool CheckDesignHeader(const std::string& fileName, std::string* reason) {
    TProfile profile;
    if (!profile.LoadFromFile(fileName, reason)) return false;
    return CheckDesignHeader(profile);
}

std::unique_ptr<TBroadcastDesign> LoadDesignFile(const std::string& fileName) {
    auto design = std::make_unique<TBroadcastDesign>();
    design->LoadFromFile(fileName);
    return design;
}

}  // namespace velmo
