#pragma once
// The design document: everything the user decided about one antenna system, held as
// one object that owns a header record and one page object per wizard step. Designs
// are copied only through Assign (into and out of the working design the wizard
// edits), saved to and loaded from ".bcst" files.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "analysis/lines.h"
#include "analysis/power.h"
#include "base/types.h"
#include "patterns/azpattern.h"
#include "patterns/elpattern.h"
#include "product/mechanical.h"
#include "product/partnumber.h"

namespace velmo {

// The design's header data.
class TDesignInfo {
public:
    TDesignInfo() = default;
    TDesignInfo(const TDesignInfo&) = delete;
    TDesignInfo& operator=(const TDesignInfo&) = delete;

    // Copies every field, the notes line by line.
    void Assign(const TDesignInfo& source);

    std::string CompanyName;  // "Company Name"
    std::string Location;     // "Company Address"
    std::string Location2;    // "Location" (the site)
    std::string Designer;
    // Days since 30 December 1899; the fraction is the time of day.
    double Date = 0;
    std::vector<std::string> Notes;  // one entry per line
    std::string SpecNo;
    std::string SystemType;  // "TV" or "FM"
};

// The system parameters (first wizard step).
class TOptionsPage {
public:
    TOptionsPage();
    TOptionsPage(const TOptionsPage&) = delete;
    TOptionsPage& operator=(const TOptionsPage&) = delete;

    // Copies every field, the channel as a whole record.
    void Assign(const TOptionsPage& source);

    TMarketType Market = mtUS;
    TChannel Channel;  // channel "32", frequencies 0
    std::string FamilyID = "KLX-UHF";
    std::string PowerCode = "N";
    std::string MountCode = "S";
    std::string CustomLabel;
    std::string PolCode = "H";
    std::string FeedCode;  // FM: "E", "C" or "P"
    bool Radome = false;
    bool Deicer = false;
    double MaxERPkW = 0;
    TServiceType Service = stDigital;
    double VerticalComponent = 0;  // percent, elliptical TV antennas
    bool HighWind = false;
};

class TBroadcastDesign;
// Called on every write of Modified, also when the value does not change.
using TModifiedEvent = std::function<void(TBroadcastDesign& sender, bool value)>;

class TBroadcastDesign {
public:
    TBroadcastDesign();
    TBroadcastDesign(const TBroadcastDesign&) = delete;
    TBroadcastDesign& operator=(const TBroadcastDesign&) = delete;

    const TModifiedEvent& OnModify() const { return FOnModify; }
    void SetOnModify(TModifiedEvent e) { FOnModify = std::move(e); }
    bool Modified() const { return FModified; }
    // Stores the value, then calls OnModify when one is set.
    void SetModified(bool value);
    // The antenna input connector printed on the reports.
    const std::string& InputType() const { return FInputType; }
    void SetInputType(const std::string& v) { FInputType = v; }

    // Copies the five pages, DesignInfo and InputType; leaves FileName, ReportTitle,
    // Modified and OnModify as they are, and does not notify.
    void Assign(const TBroadcastDesign& source);

    // "Orvane <family name> <polarization word> POLARIZED".
    std::string GetTitle() const;

    // ---- design file (.bcst) --------------------------------------------------------
    // Writes every persisted field. An existing file is updated in place (present keys
    // replaced where they stand, missing keys appended, other lines kept), through a
    // temporary file and a rename: a failed save leaves the old file as it was and
    // throws Error("Unable to write to <fileName>"). Changes nothing in the design.
    void SaveToFile(const std::string& fileName) const;
    // Reads a file into this design, which should be freshly created: FileName is
    // set first; notes and report lines are appended; the point files are read, the
    // FM elevation pattern recomputed (FM designs) and the power analysis prepared.
    // A float that does not convert stops the load with ConvertError, leaving the
    // fields read so far. Use LoadDesignFile to keep an existing design safe.
    void LoadFromFile(const std::string& fileName);

    // ---- design power setup -----------------------------------------------------------
    // Loads the analysis inputs from the pages, then recalculates.
    void InitializeAnalisys();
    // Antenna input power rating, kW (0 when none is found); sets InputType for the
    // table-rated TV families.
    double GetMaxInputPower();
    double GetGainAtHorzdBd(TPatternType patternType) const;
    double GetGainAtHorzNum(TPatternType patternType) const;
    double GetElevationGainEPolNum(TPatternType patternType) const;
    double GetElevationGainEPoldBd(TPatternType patternType) const;

    // ---- part numbers and mechanical data --------------------------------------------
    TPartNumberInputs PartNumberInputs() const;
    TMechanicalInputs MechanicalInputs() const;
    // FM designs also set InputType (BuildFMPartNumber).
    std::string BuildPartNumber();
    std::string BuildMIRALDOPartNumber() const;
    std::string BuildVARNOKPartNumber() const;
    std::string BuildHOVPartNumber() const;
    std::string BuildKVRPartNumber() const;
    std::string BuildQDXMAXPartNumber() const;
    std::string BuildQDPartNumber() const;
    std::string BuildWENPartNumber() const;
    std::string BuildCustomPartNumber() const;
    std::string BuildFMPartNumber();
    std::string GetMarketCode() const;
    static std::string GetBeamtiltCode(double value);
    std::string BuildHorzKVRElId() const;
    std::string BuildVertKVRElId() const;
    std::string BuildMIRALDOElId(TPatternType patternType) const;
    // Fills `data` by the family's rule (FM designs build their part number first,
    // which refreshes InputType).
    void GetMechanical(TMechanicalData& data);

    std::string FileName;                  // empty for a design never saved
    std::vector<std::string> ReportTitle;  // free lines kept with the design
    TOptionsPage OptionsPage;
    TAzimuthPage AzimuthPage;
    TElevationPage ElevationPage;
    TLinesPage LinesPage;
    TAnalysisPage AnalysisPage;
    TDesignInfo DesignInfo;

private:
    TModifiedEvent FOnModify;
    bool FModified = false;
    std::string FInputType = "CONTACT Orvane";
};

// The one design the wizard works on, alive for the whole run of the program.
TBroadcastDesign& WorkingDesign();

// The header rule: [HEADER] type (default "null") must equal "Velmo" exactly. A
// missing or unreadable file fails (as does one that is not a regular file or is
// larger than kMaxDesignFileBytes); `reason`, when given, then receives the cause.
bool CheckDesignHeader(const std::string& fileName, std::string* reason = nullptr);
// Creates a fresh design and loads the file into it: the caller's current design
// is never touched by a load that fails.
std::unique_ptr<TBroadcastDesign> LoadDesignFile(const std::string& fileName);

}  // namespace velmo
