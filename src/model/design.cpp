#include "model/design.h"

namespace velmo {

void TDesignInfo::Assign(const TDesignInfo& source) {
    CompanyName = source.CompanyName;
    Location = source.Location;
    Designer = source.Designer;
    Date = source.Date;
    SpecNo = source.SpecNo;
    Notes = source.Notes;
    Location2 = source.Location2;
    SystemType = source.SystemType;
}

TOptionsPage::TOptionsPage() { Channel.ChannelNumber = "32"; }

void TOptionsPage::Assign(const TOptionsPage& source) {
    Market = source.Market;
    Channel = source.Channel;
    FamilyID = source.FamilyID;
    PowerCode = source.PowerCode;
    MountCode = source.MountCode;
    CustomLabel = source.CustomLabel;
    PolCode = source.PolCode;
    FeedCode = source.FeedCode;
    Radome = source.Radome;
    Deicer = source.Deicer;
    MaxERPkW = source.MaxERPkW;
    Service = source.Service;
    VerticalComponent = source.VerticalComponent;
    HighWind = source.HighWind;
}

TBroadcastDesign::TBroadcastDesign() = default;

void TBroadcastDesign::SetModified(bool value) {
    FModified = value;
    if (FOnModify) FOnModify(*this, value);
}

void TBroadcastDesign::Assign(const TBroadcastDesign& source) {
    if (&source == this) return;
    OptionsPage.Assign(source.OptionsPage);
    AzimuthPage.Assign(source.AzimuthPage);
    ElevationPage.Assign(source.ElevationPage);
    LinesPage.Assign(source.LinesPage);
    AnalysisPage.Assign(source.AnalysisPage);
    DesignInfo.Assign(source.DesignInfo);
    FInputType = source.FInputType;
}

namespace {

std::string FamilyName(const std::string& f) {
    if (f == "KLX-UHF" || f == "KLX-VHF") return "MIRALDO\u00AE";
    if (f == "VARNOK") return "VARNOK\u2122";
    if (f == "HOV") return "HOV";
    if (f == "KVR") return "KVR";
    if (f == "QD-MAX") return "QD-MAX";
    if (f == "QD") return "QD";
    if (f == "WEN") return "WEN";
    if (f == "RNVX") return "RNVX SPINDRAKE\u00AE";
    if (f == "RNVH") return "RNV-H";
    if (f == "TGX") return "TGX SPINDRAKE\u00AE";
    if (f == "BKX") return "BKX SPINDRAKE\u00AE";
    if (f == "240C") return "240C";
    if (f == "K410") return "K410";
    if (f == "K460") return "K460";
    if (f == "VOLKA") return "VOLKA\u2122";
    return "CUSTOM";
}

}  // namespace

std::string TBroadcastDesign::GetTitle() const {
    const std::string& f = OptionsPage.FamilyID;
    const std::string& pol = OptionsPage.PolCode;
    std::string word;
    if (pol == "E")
        word = (f == "KLX-UHF" || f == "KLX-VHF") ? "ELLIPTICALLY" : "CIRCULARLY";
    else if (pol == "H")
        word = "HORIZONTALLY";
    else if (pol == "V")
        word = "VERTICALLY";
    return "Orvane " + FamilyName(f) + " " + word + " POLARIZED";
}

TBroadcastDesign& WorkingDesign() {
    static TBroadcastDesign design;
    return design;
}

}  // namespace velmo
