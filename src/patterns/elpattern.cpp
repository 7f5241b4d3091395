#include "patterns/elpattern.h"

#include <cmath>
#include <cstring>
#include <utility>

#include "base/fileio.h"
#include "base/folders.h"
#include "base/numbers.h"
#include "patterns/fmarray.h"
#include "patterns/patfile.h"
#include "refdata/texttable.h"

namespace velmo {

namespace {

TElMessageHandler& MessageHandler() {
    static TElMessageHandler handler;
    return handler;
}

void ShowMessage(const std::string& message) {
    if (MessageHandler()) MessageHandler()(message);
}

std::string Trim(const std::string& s) {
    size_t b = 0, e = s.size();
    while (b < e && static_cast<unsigned char>(s[b]) <= ' ') ++b;
    while (e > b && static_cast<unsigned char>(s[e - 1]) <= ' ') --e;
    return s.substr(b, e - b);
}

}  // namespace

TElMessageHandler SetElMessageHandler(TElMessageHandler handler) {
    return std::exchange(MessageHandler(), std::move(handler));
}

std::string MaxIterationsMessage(int count) {
    return "Max Iterations (" + FormatInt(count) + ") Reached For Beam Tilt -- Check Result";
}

// ---- properties ----

void TElPattern::SetGain(double v) {
    FGain = v;
    MainLobedBd = v > 0 ? 10.0 * std::log10(v) : 0.0;
}

void TElPattern::SetGainFromFile(double v) { FGainFromFile = v; }

void TElPattern::SetGainAtZero(double v) {
    FGainAtZero = v;
    UpdateHorizontalGain();
}

void TElPattern::UpdateHorizontalGain() {
    HorzdBd = FGainAtZero > 0 ? MainLobedBd + 20.0 * std::log10(FGainAtZero) : 0.0;
    HorzNum = std::pow(10.0, HorzdBd / 10.0);
}

void TElPattern::SetDefaultBeamtilt(double v) {
    FDefaultBeamtilt = v;
    SetBeamtilt(v);
}

void TElPattern::SetBeamtilt(double v) {
    FBeamtilt = v;
    if (PatternType == ptFM && FLoaded)
        CalculatePattern();  // which sets the adjusted points
    else
        SetAdjustedPoints();
}

void TElPattern::SetFirstNullFillPercent(double v) {
    FFirstNullFillPercent = v;
    if (PatternType == ptFM && FLoaded)
        CalculatePattern();  // which sets the adjusted points
    else
        SetAdjustedPoints();
}

void TElPattern::SetSecondNullFillPercent(double v) {
    FSecondNullFillPercent = v;
    if (PatternType == ptFM && FLoaded)
        CalculatePattern();  // which sets the adjusted points
    else
        SetAdjustedPoints();
}

// ---- TV point files ----

// Reads the file at `path` into `points` and extends it at both ends as a file sampled
// every 0.1 degree from -90 to 90 would continue: 101 points below -90 degrees carrying
// the values of the first points read (every second list position), then the values
// read in reverse order above 90 degrees. Every point read exactly at 0 degrees gives
// GainAtZero of `gainAtZeroTarget`. Returns without change when there is no file.
void TElPattern::ReadExtendedPoints(const std::string& path, TRealPointList& points,
                                    TElPattern* gainAtZeroTarget) {
    TRealPointList read;
    if (!ReadPointFile(path, read, kMaxElevationPoints)) return;
    for (const TRealPoint& p : read.Points()) {
        points.AddPoint(p);
        if (p.X == 0 && gainAtZeroTarget) gainAtZeroTarget->SetGainAtZero(p.Y);
    }
    // The low-end extension takes its values from list positions 0, 2, ..., 200, which a
    // file of fewer than 101 point lines does not reach. Such a file is kept exactly as
    // read, unextended: its points are all the pattern there is, and inventing the
    // missing values (or reading past the list) would show a pattern the file does not
    // hold.
    if (read.Count() < kMinExtendLines) return;
    double x = -90.0;
    for (int i = 0; i <= 100; ++i) {
        x = x - 0.1;
        double y = points.PPoint(2 * i).Y;
        points.InsertPoint(0, x, y);
    }
    x = 90.0;
    const int last = points.Count() - 1;
    points.Reserve(points.Count() + last - 100 + 1);
    for (int i = last; i >= 100; --i) {
        x = x + 0.1;
        points.AddPoint(x, points.PPoint(i).Y);
    }
}

void TElPattern::ReadPoints(bool adjust) {
    if (FLoaded) return;
    Points.Clear();
    FLoaded = true;
    ReadExtendedPoints(PatternFilePath(GetPath(), FileName), Points, this);
    if (adjust) SetAdjustedPoints();
}

void TElPattern::LoadPoints() { ReadPoints(true); }
void TElPattern::LoadPoints2() { ReadPoints(false); }

double TElPattern::BeamTiltOffSet() const {
    if (PatternType == ptFM) return 0;
    return FBeamtilt - FDefaultBeamtilt;
}

void TElPattern::LoadKLXPoints() {
    if (BayCount == 2) return;
    FLoaded = false;
    LoadPoints2();
}

void TElPattern::SetAdjustedFrom(const TRealPointList& points, double offset) {
    const TRealPoint* pts = points.Points().data();
    const size_t n = points.Points().size();
    TRealPoint* out = AdjustedPoints.Resize(static_cast<int>(2 * n));
    // Each point shifted, then the midpoint to the next one (the last point's own).
    for (size_t i = 0; i + 1 < n; ++i) {
        out[2 * i] = {pts[i].X + offset, pts[i].Y};
        out[2 * i + 1] = {(pts[i].X + pts[i + 1].X) / 2 + offset, (pts[i].Y + pts[i + 1].Y) / 2};
    }
    if (n > 0) {
        const TRealPoint& p = pts[n - 1];
        out[2 * n - 2] = {p.X + offset, p.Y};
        out[2 * n - 1] = {(p.X + p.X) / 2 + offset, (p.Y + p.Y) / 2};
    }
    // A point (or else its midpoint) at 0 degrees gives the gain at the horizon; the
    // last such point wins.
    for (size_t i = 0; i < n; ++i) {
        if (out[2 * i].X == 0) {
            SetGainAtZero(out[2 * i].Y);
        } else if (out[2 * i + 1].X == 0) {
            SetGainAtZero(out[2 * i + 1].Y);
        }
    }
}

void TElPattern::SetAdjustedPoints() {
    if (FamilyID == "KLX-VHF") {
        AdjustedPoints.Clear();
        LoadKLXPoints();
    }
    if (IsKVRBase()) {
        AdjustedPoints.Clear();
        SetKVRAdjustedPoints();
        return;
    }
    // The adjusted points are written over the old ones: the FM page computes on every
    // step, and the list keeps its size.
    SetAdjustedFrom(Points, BeamTiltOffSet());
}

// ---- KVR family ----

bool TElPattern::IsKVRBase() const { return BaseCose.find("KVR") != std::string::npos; }

std::string TElPattern::TiltCode(double beamtilt) {
    static constexpr double kLimits[] = {0.25, 0.5, 0.75, 1, 1.25, 1.5,
                                         1.75, 2, 2.25, 2.5, 2.75, 3};
    for (int i = 0; i < 12; ++i) {
        if (beamtilt <= kLimits[i]) return FormatInt(i + 1);
    }
    return "";
}

void TElPattern::SetKVRAdjustedPoints() {
    TTextTable table;
    table.LoadFromFile(DataPath() + "kvr_bays.txt");
    const std::string bayKey = Trim(BaseCose.size() > 3 ? BaseCose.substr(3) : std::string());
    const std::string tiltKey = TiltCode(FBeamtilt);
    table.MoveFirst();
    while (!table.Eof()) {
        if (table.Field("BAY") == bayKey && table.Field("BEAMTILT") == tiltKey) {
            LoadKVRAdjustedPoints(table.Field("FILENAME"));
            return;
        }
        table.MoveNext();
    }
}

void TElPattern::LoadKVRAdjustedPoints(const std::string& fileName) {
    TRealPointList points;
    ReadExtendedPoints(PatternFilePath(GetPath(), fileName), points, this);
    SetAdjustedFrom(points, 0);
}

// ---- FM computation ----

void TElPattern::CalculatePattern() {
    TFMArrayInput input;
    input.FamilyID = FamilyID;
    input.BayCount = BayCount;
    input.BaySpacing = BaySpacing;
    input.Beamtilt = FBeamtilt;
    input.FirstNullFillPercent = FFirstNullFillPercent;
    input.SecondNullFillPercent = FSecondNullFillPercent;
    TFMArrayResult r = ComputeFMArray(input);

    FBeamtiltLimitReached = r.TiltLimitReached;

    double gain = r.D1 / r.D0 * FGainFromFile;
    if (gain > FGainFromFile) gain = FGainFromFile;
    SetGain(gain);

    // 3704 points at k/10 degrees: mirrored about -90 below it, the samples from -90 to
    // 90, mirrored about 90 above it, and the value at -90 twice at the very end. The
    // angles are the same for every computation: worked out once.
    static const std::vector<double> kAngles = [] {
        std::vector<double> x;
        for (int k = -1001; k <= 2702; ++k) x.push_back(k / 10.0);
        return x;
    }();
    TRealPoint* out = Points.Resize(kExtendedPoints);
    const double* x = kAngles.data();
    int at = 0;
    for (int k = -1001; k <= -901; ++k, ++at) out[at] = {x[at], r.Sample(-1800 - k)};
    for (int k = -900; k <= 900; ++k, ++at) out[at] = {x[at], r.Sample(k)};
    for (int k = 901; k <= 2700; ++k, ++at) out[at] = {x[at], r.Sample(1800 - k)};
    for (int k = 2701; k <= 2702; ++k, ++at) out[at] = {x[at], r.Sample(-900)};

    BeamWidth = r.BeamWidth;
    SetAdjustedPoints();
    FComputed.Valid = PatternType == ptFM;
    FComputed.FamilyID = FamilyID;
    FComputed.BaseCose = BaseCose;
    FComputed.BayCount = BayCount;
    FComputed.BaySpacing = BaySpacing;
    FComputed.Beamtilt = FBeamtilt;
    FComputed.FirstNullFill = FFirstNullFillPercent;
    FComputed.SecondNullFill = FSecondNullFillPercent;
    FComputed.GainFromFile = FGainFromFile;
    FComputed.Gain = FGain;
    FComputed.GainAtZero = FGainAtZero;
    FComputed.BeamWidth = BeamWidth;
    FComputed.PointCount = Points.Count();
    FComputed.AdjustedCount = AdjustedPoints.Count();
    // The computation went on with the phase reached; the message is shown once the
    // pattern is complete, so whatever the message box lets run sees a whole pattern.
    if (r.TiltLimitReached) ShowMessage(MaxIterationsMessage(r.TiltEvaluations));
}

// ---- copies ----

// The inputs and figures are those the last computation left (compared bit for bit, so
// a value changed since and changed back still counts as the same).
bool TElPattern::StillAsComputed() const {
    const TComputedFor& c = FComputed;
    auto same = [](double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; };
    return c.Valid && PatternType == ptFM && c.FamilyID == FamilyID && c.BaseCose == BaseCose &&
           c.BayCount == BayCount && same(c.BaySpacing, BaySpacing) && same(c.Beamtilt, FBeamtilt) &&
           same(c.FirstNullFill, FFirstNullFillPercent) &&
           same(c.SecondNullFill, FSecondNullFillPercent) && same(c.GainFromFile, FGainFromFile) &&
           same(c.Gain, FGain) && same(c.GainAtZero, FGainAtZero) && same(c.BeamWidth, BeamWidth) &&
           c.PointCount == Points.Count() && c.AdjustedCount == AdjustedPoints.Count();
}

// The fields that describe the pattern and take part in no computation of their own.
void TElPattern::CopyDescription(const TElPattern& source) {
    FamilyID = source.FamilyID;
    BayCount = source.BayCount;
    BaySpacing = source.BaySpacing;
    PolID = source.PolID;
    PolCode = source.PolCode;
    BaseCose = source.BaseCose;
    Smooth = source.Smooth;
    Description = source.Description;
    FileName = source.FileName;
    MaxBeamtilt = source.MaxBeamtilt;
    MinBeamtilt = source.MinBeamtilt;
    PatternType = source.PatternType;
    DetailLabel = source.DetailLabel;
    FeedCode = source.FeedCode;
}

void TElPattern::Assign(const TElPattern& source) {
    if (source.PatternType == ptFM && FLoaded) {
        AssignFM(source);
        return;
    }
    FComputed.Valid = false;  // the points come from the source, not from a computation here
    CopyDescription(source);
    Points.Assign(source.Points);
    AdjustedPoints.Assign(source.AdjustedPoints);
    SetGain(source.Gain());
    SetGainFromFile(source.GainFromFile());
    BeamWidth = source.BeamWidth;
    SetDefaultBeamtilt(source.DefaultBeamtilt());
    SetBeamtilt(source.Beamtilt());
    SetFirstNullFillPercent(source.FirstNullFillPercent());
    SetSecondNullFillPercent(source.SecondNullFillPercent());
}

// An FM pattern into a pattern that computes: the copy ends as a computation from the
// copied inputs would. When the source still holds what its last computation gave, that
// is the source's own points and figures, copied; otherwise (inputs changed without a
// computation, or figures set from a file) the copy computes once.
void TElPattern::AssignFM(const TElPattern& source) {
    CopyDescription(source);
    FGainFromFile = source.FGainFromFile;
    FDefaultBeamtilt = source.FDefaultBeamtilt;
    FBeamtilt = source.FBeamtilt;
    FFirstNullFillPercent = source.FFirstNullFillPercent;
    FSecondNullFillPercent = source.FSecondNullFillPercent;
    if (source.StillAsComputed()) {
        Points.Assign(source.Points);
        AdjustedPoints.Assign(source.AdjustedPoints);
        BeamWidth = source.BeamWidth;
        FBeamtiltLimitReached = source.FBeamtiltLimitReached;
        SetGain(source.FGain);
        SetGainAtZero(source.FGainAtZero);
        FComputed = source.FComputed;
    } else {
        CalculatePattern();  // sets the points, the adjusted points and every figure
    }
    // A pattern read from a design file has no catalog gain (it is not stored), so
    // the computation can only give 0: the copy keeps the gain of its source.
    if (source.GainFromFile() == 0) SetGain(source.Gain());
}

// ---- kinds ----

std::string THorzPattern::GetPath() const { return ElevationHPolPath(); }
std::string TVertPattern::GetPath() const { return ElevationVPolPath(); }

TFMPattern::TFMPattern() {
    PatternType = ptFM;
    SetBeamtilt(0);
    SetDefaultBeamtilt(0);
    MaxBeamtilt = 0;
    MinBeamtilt = 0;
    Smooth = false;
    FileName.clear();
    BeamWidth = 0;
    SetFirstNullFillPercent(0);
    SetSecondNullFillPercent(0);
    FLoaded = true;
}

std::string TFMPattern::GetPath() const {
    if (PolCode == "H") return FMElevationHPolPath();
    if (PolCode == "V") return FMElevationVPolPath();
    if (PolCode == "E") return FMElevationCPolPath();
    return "";
}

std::string TFMPattern::Polarization() const {
    if (PolCode == "H") return "Horizontal";
    if (PolCode == "V") return "Vertical";
    if (PolCode == "E") return "Circular";
    return "";
}

// ---- page ----

TElPattern& TElevationPage::Pattern(TPatternType t) {
    switch (t) {
        case ptVertical: return VertPattern;
        case ptFM: return FMPattern;
        default: return HorzPattern;
    }
}

const TElPattern& TElevationPage::Pattern(TPatternType t) const {
    return const_cast<TElevationPage*>(this)->Pattern(t);
}

void TElevationPage::Assign(const TElevationPage& source) {
    RangeType = source.RangeType;
    ViewType = source.ViewType;
    PowerType = source.PowerType;
    HorzPattern.Assign(source.HorzPattern);
    VertPattern.Assign(source.VertPattern);
    FMPattern.Assign(source.FMPattern);
}

// ---- export ----

std::string ElevationExportText(const TElPattern& pattern) {
    return ElevationPointsText(pattern.AdjustedPoints);
}

std::string ExportElevationPoints(const std::string& fileName, const TElPattern& pattern) {
    std::string name = ChangeFileExt(fileName, ".pat");
    WriteFileAtomic(name, ElevationExportText(pattern));
    return name;
}

}  // namespace velmo
