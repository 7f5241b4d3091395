#pragma once
// Mechanical data of the designed antenna, one rule per family group. The rules work
// on a plain record of their inputs; TBroadcastDesign gathers it and calls them.
#include <cstdint>
#include <string>

namespace velmo {

struct TMechanicalData {
    double Length = 0;          // feet
    double TotalLength = 0;     // feet
    double Weight = 0;          // lb
    double Shear = 0;
    double RadomeDiameter = 0;  // inches
    std::string RadomeColor;
    std::string ClimbingDevice;
    double Ac = 0;              // square feet
    double CaAc = 0;
    double SideAc = 0;
    double SideCaAc = 0;
    double OTM = 0;
    double BC = 0;
    int32_t QTY = 0;
};

struct TMechanicalInputs {
    std::string SystemType;
    std::string FamilyID;
    std::string MountCode;
    std::string PolCode;
    bool HighWind = false;
    std::string ChannelNumber;
    double MidFreq = 0;  // MHz
    // elevation page, horizontal pattern
    int32_t HBayCount = 0;
    double HGain = 0;
    bool HSmooth = false;
    // elevation page, FM pattern
    int32_t FMBayCount = 0;
    double FMBaySpacing = 0;  // wavelengths
    // azimuth page, horizontal pattern
    std::string AzPatternCode;
    // the design's FM part number (only read by the FM rule)
    std::string FMPartNumber;
};

// Wavelength in inches at `midFreq` MHz.
double Wavelength(double midFreq);

// Fills `data` by the family's rule; each rule sets only its own fields.
void GetMechanical(const TMechanicalInputs& in, TMechanicalData& data);
void GetMiraldoVHFMechanical(const TMechanicalInputs& in, TMechanicalData& data);
void GetVARNOKMechanical(const TMechanicalInputs& in, TMechanicalData& data);
void GetMiraldoUHFMechanical(const TMechanicalInputs& in, TMechanicalData& data);
void GetKVRMechanical(const TMechanicalInputs& in, TMechanicalData& data);
void GetQDMaxMechanical(const TMechanicalInputs& in, TMechanicalData& data);
void GetFMMechanical(const TMechanicalInputs& in, TMechanicalData& data);
void GetDefaultMechanical(const TMechanicalInputs& in, TMechanicalData& data);

bool IsFMFamily(const std::string& familyID);

}  // namespace velmo
