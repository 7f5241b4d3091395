#pragma once
// Elevation (vertical-plane) patterns: TV patterns read from point files and moved by
// the electrical beam tilt, FM patterns computed as a vertical array of equal bays,
// and the gains derived from both (main lobe and towards the horizon).
#include <cstdint>
#include <functional>
#include <string>

#include "base/types.h"

namespace velmo {

// Receives the messages the elevation model has for the user (the tilt search that
// stops at its limit). The desktop program shows them in a warning box, velmo-cli
// prints them on stderr. Without a handler they are dropped; the computation goes on
// either way.
using TElMessageHandler = std::function<void(const std::string& message)>;
// Installs `handler` process-wide and returns the one it replaces.
TElMessageHandler SetElMessageHandler(TElMessageHandler handler);

// The message of a tilt search that stopped after `count` evaluations:
// "Max Iterations (100) Reached For Beam Tilt -- Check Result".
std::string MaxIterationsMessage(int count);

class TElPattern {
public:
    TElPattern() = default;
    virtual ~TElPattern() = default;
    TElPattern(const TElPattern&) = delete;
    TElPattern& operator=(const TElPattern&) = delete;

    virtual std::string GetPath() const { return ""; }
    virtual std::string Polarization() const { return ""; }

    bool Loaded() const { return FLoaded; }

    double Gain() const { return FGain; }
    void SetGain(double v);  // MainLobedBd follows; the horizon values do not
    double GainFromFile() const { return FGainFromFile; }
    void SetGainFromFile(double v);
    double GainAtZero() const { return FGainAtZero; }
    void SetGainAtZero(double v);  // then UpdateHorizontalGain
    double DefaultBeamtilt() const { return FDefaultBeamtilt; }
    void SetDefaultBeamtilt(double v);  // also sets Beamtilt
    double Beamtilt() const { return FBeamtilt; }
    // The three below store the value; a loaded FM pattern is then computed again;
    // in every case AdjustedPoints are rebuilt.
    void SetBeamtilt(double v);
    double FirstNullFillPercent() const { return FFirstNullFillPercent; }
    void SetFirstNullFillPercent(double v);
    double SecondNullFillPercent() const { return FSecondNullFillPercent; }
    void SetSecondNullFillPercent(double v);

    // HorzdBd = MainLobedBd + 20 log10(GainAtZero) (0 when GainAtZero <= 0), and
    // HorzNum = 10^(HorzdBd/10).
    void UpdateHorizontalGain();

    // Reads GetPath() + FileName once per object (TV), extends it to the full circle
    // (3704 points for a file of 1801 lines), then SetAdjustedPoints. A missing file
    // leaves Points empty. LoadPoints2 is the same without SetAdjustedPoints.
    void LoadPoints();
    void LoadPoints2();
    // Beamtilt - DefaultBeamtilt; 0 for FM patterns.
    double BeamTiltOffSet() const;
    // Rebuilds AdjustedPoints: every point shifted by BeamTiltOffSet, followed by the
    // midpoint to the next one; GainAtZero from the point or midpoint that lands
    // exactly on 0. KVR patterns take their file from the bay table instead.
    void SetAdjustedPoints();
    // KLX-VHF: unless BayCount is 2, the point file is read again into Points.
    void LoadKLXPoints();
    // The FM bay-array computation: Points, Gain, BeamWidth, GainAtZero.
    void CalculatePattern();
    // True when the last CalculatePattern's beam-tilt search stopped at its limit.
    bool BeamtiltLimitReached() const { return FBeamtiltLimitReached; }

    // Copies field by field; Gain, GainFromFile and the four tilt/fill values through
    // their setters, so a loaded FM target ends computed from the copied parameters: an
    // FM source that still holds its last computation is copied as it is (the same
    // bits a computation would give), any other is computed once.
    // The loaded flag and VertPatterns are not copied.
    virtual void Assign(const TElPattern& source);

    // KVR family.
    bool IsKVRBase() const;                       // BaseCose contains "KVR"
    static std::string TiltCode(double beamtilt);  // "1" ... "12", empty above 3
    void SetKVRAdjustedPoints();
    void LoadKVRAdjustedPoints(const std::string& fileName);

    std::string FamilyID;
    std::string PolID;
    std::string PolCode;
    std::string BaseCose;
    std::string DetailLabel;
    bool Smooth = false;
    int32_t BayCount = 0;
    double BaySpacing = 0;
    std::string FeedCode;
    std::string Description;
    double MainLobedBd = 0;
    double HorzNum = 0;
    double HorzdBd = 0;
    std::string FileName;
    double BeamWidth = 0;
    double MaxBeamtilt = 0;
    double MinBeamtilt = 0;
    TPatternType PatternType = ptHorizontal;
    TRealPointList Points;
    TRealPointList AdjustedPoints;

    // A point file sampled every 0.1 degree from -90 to 90 has this many lines, and
    // the extended list this many points.
    static constexpr int kFileLines = 1801;
    static constexpr int kExtendedPoints = 3704;
    // The extension at the low end reads up to list position 200: shorter files are
    // kept as read (see LoadPoints).
    static constexpr int kMinExtendLines = 101;

protected:
    bool FLoaded = false;

private:
    void ReadPoints(bool adjust);
    static void ReadExtendedPoints(const std::string& path, TRealPointList& points,
                                   TElPattern* gainAtZeroTarget);
    // AdjustedPoints = points shifted by offset, each followed by the midpoint to the next.
    void SetAdjustedFrom(const TRealPointList& points, double offset);

    double FGain = 0;
    double FGainFromFile = 0;
    double FGainAtZero = 0;
    double FDefaultBeamtilt = 0;
    double FBeamtilt = 0;
    double FFirstNullFillPercent = 0;
    double FSecondNullFillPercent = 0;
    bool FBeamtiltLimitReached = false;

    // What the last FM computation was made from and what it gave. An Assign from a
    // pattern whose inputs and figures still are these copies the points instead of
    // computing them again.
    struct TComputedFor {
        bool Valid = false;
        std::string FamilyID, BaseCose;
        int32_t BayCount = 0;
        double BaySpacing = 0, Beamtilt = 0, FirstNullFill = 0, SecondNullFill = 0;
        double GainFromFile = 0, Gain = 0, GainAtZero = 0, BeamWidth = 0;
        int PointCount = 0, AdjustedCount = 0;
    };
    bool StillAsComputed() const;
    void AssignFM(const TElPattern& source);
    void CopyDescription(const TElPattern& source);
    TComputedFor FComputed;
};

class TVertPattern : public TElPattern {
public:
    TVertPattern() { PatternType = ptVertical; }
    std::string GetPath() const override;  // patterns/elevation/vpol/
    std::string Polarization() const override { return "Vertical"; }
};

class TVertPatternList : public TOwningList<TVertPattern> {
public:
    TVertPattern& Pattern(int index) { return Item(index); }
    const TVertPattern& Pattern(int index) const { return Item(index); }
};

class THorzPattern : public TElPattern {
public:
    THorzPattern() { PatternType = ptHorizontal; }
    std::string GetPath() const override;  // patterns/elevation/hpol/
    std::string Polarization() const override { return "Horizontal"; }
    // Vertical-polarization patterns offered with this one.
    TVertPatternList VertPatterns;
};

class THorzPatternList : public TOwningList<THorzPattern> {
public:
    THorzPattern& HorzPattern(int index) { return Item(index); }
    const THorzPattern& HorzPattern(int index) const { return Item(index); }
};

class TFMPattern : public TElPattern {
public:
    // PatternType ptFM, tilt, fills, limits and beam width 0, then loaded: from here
    // on every tilt or fill change computes the pattern.
    TFMPattern();
    // By PolCode: "H", "V", "E" -> FM patterns/elevation/{hpol,vpol,cpol}/, else "".
    std::string GetPath() const override;
    // "Horizontal", "Vertical", "Circular", else "".
    std::string Polarization() const override;
};

class TFMPatternList : public TOwningList<TFMPattern> {
public:
    TFMPattern& FMPattern(int index) { return Item(index); }
    const TFMPattern& FMPattern(int index) const { return Item(index); }
};

// The design's elevation page object.
class TElevationPage {
public:
    TElevationPage() = default;
    TElevationPage(const TElevationPage&) = delete;
    TElevationPage& operator=(const TElevationPage&) = delete;

    TElPattern& Pattern(TPatternType t);
    const TElPattern& Pattern(TPatternType t) const;
    // RangeType, ViewType, PowerType, then each of the three patterns.
    void Assign(const TElevationPage& source);

    TViewType ViewType = vtPortrait;
    TRangeType RangeType = rtFiveToTen;
    TPowerType PowerType = ptRF;
    THorzPattern HorzPattern;
    TVertPattern VertPattern;
    TFMPattern FMPattern;
};

// The elevation export text of the pattern's AdjustedPoints as they stand.
std::string ElevationExportText(const TElPattern& pattern);
// Writes it to `fileName` with its extension replaced by ".pat"; returns the name.
std::string ExportElevationPoints(const std::string& fileName, const TElPattern& pattern);

}  // namespace velmo
