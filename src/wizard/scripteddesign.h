#pragma once
// A design made or changed from a set of choices without a window: the choices are
// applied through the page logic of the five wizard steps in order (PageEnter, the
// selection a user would make, Next), so every cascade, default and validation is the
// wizard's own. A choice a page does not offer at that point stops the run with an
// Error naming the step, the value and what is offered.
#include <optional>
#include <string>
#include <vector>

#include "model/design.h"

namespace velmo {

// Every choice is optional: what is not given stays as the page proposes it (a new
// design) or as the design holds it (an edit).
struct TDesignChoices {
    // ---- design information --------------------------------------------------------
    std::optional<std::string> SystemType;  // "TV" or "FM"
    std::optional<std::string> CompanyName, Location, Location2, Designer, SpecNo;
    std::optional<std::string> Date;  // "yyyy-mm-dd"
    std::optional<std::vector<std::string>> Notes;

    // ---- step 1 ----------------------------------------------------------------------
    std::optional<std::string> Market;     // "US", "Euro", "Aus" (TV)
    std::optional<std::string> Channel;    // channel number
    std::optional<double> Frequency;       // FM: the channel starting there; TV "FM" channel
    std::optional<std::string> Family;     // family key ("KVR", "RNVX", "CTM")
    std::optional<std::string> PowerClass; // power code of the family button ("L", "M")
    std::optional<std::string> Mount;      // "S", "T"
    std::optional<std::string> Pol;        // "H", "E", "V"
    std::optional<std::string> Service;    // "A" analog, "D" digital (TV)
    std::optional<double> VerticalComponent;  // percent (TV elliptical catalog families)
    std::optional<bool> HighWind;
    std::optional<std::string> CustomLabel;
    std::optional<std::string> Feed;  // FM: "E", "C", "P"
    std::optional<bool> Radome, Deicer;
    std::optional<std::string> StationClass;  // FM: caption ("Class C1") or 1-based number
    std::optional<double> MaxERP;             // FM: kW

    // ---- step 2 ----------------------------------------------------------------------
    std::optional<std::string> Azimuth;      // pattern code
    std::optional<std::string> VertAzimuth;  // TV elliptical: vertical pattern code
    std::optional<double> Rotation;          // degrees
    std::optional<double> AzimuthGain, VertAzimuthGain;  // custom antennas

    // ---- step 3 ----------------------------------------------------------------------
    std::optional<std::string> Elevation;      // pattern code
    std::optional<std::string> VertElevation;  // TV elliptical
    std::optional<int> Bays;                   // FM: picks the pattern by bay count
    std::optional<double> Spacing;             // FM: and bay spacing (wavelengths)
    std::optional<double> Tilt;                // degrees
    std::optional<double> FirstNullFill, SecondNullFill;  // FM, percent
    std::optional<double> ElevationGain, VertElevationGain;  // custom antennas

    // ---- step 4 ----------------------------------------------------------------------
    std::optional<std::string> Line;  // part number, "Custom" for the custom line
    std::optional<std::string> LineDescription;
    std::optional<double> LineAttenuation;  // custom line, dB/100 ft
    std::optional<double> LinePower;        // custom line, kW average
    std::optional<double> VertLength, HorzLength;  // feet
    std::optional<int> Aural;                      // percent, analog service

    // ---- step 5 ----------------------------------------------------------------------
    std::optional<double> TransmitterPower;  // kW
    std::optional<double> ERP;               // kW, horizontal
    std::optional<double> IsolationLoss, FilterLoss, CirculatorLoss;  // FM, dB
    std::optional<int> VerticalRatio;        // TV elliptical, percent
};

// What one choice of a step offers: a list of keys, or a value within limits.
struct TOfferItem {
    std::string Key;
    std::string Detail;   // a power class, a frequency, bays and spacing
    std::string Caption;
    bool Selected = false;
};
struct TOfferGroup {
    std::string Name;      // "family", "tilt", … (the choice's option name)
    std::vector<TOfferItem> Items;
    std::string Range;     // for values: "0.5 to 1.5 in steps of 0.25"
    std::string Value;     // the current value, for values
};
struct TStepOffers {
    int Step = 0;
    std::string PageClass;
    std::vector<TOfferGroup> Groups;
};

// Makes a new design: the design information dialog, then steps 1 to 5 in new mode.
// Returns the design the wizard finished with; nothing of `choices` is left unapplied.
std::unique_ptr<TBroadcastDesign> MakeDesign(const TDesignChoices& choices);
// Changes `design` the way "Modify Design" does: a choice of step 1 walks steps 1 to 5
// in edit mode, otherwise each step with a choice runs on its own. The choices not
// given stay as the design holds them; `design` is changed only when every choice was
// taken.
void EditDesign(TBroadcastDesign& design, const TDesignChoices& choices);
// What `step` (1…5) offers after the steps before it took their choices and the step
// itself took those of its own that were given. `base` null: a new design.
TStepOffers ListStep(const TDesignChoices& choices, int step, const TBroadcastDesign* base);

}  // namespace velmo
