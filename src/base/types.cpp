#include "base/types.h"

#include "base/conversions.h"
#include "base/numbers.h"

namespace velmo {

void TDataList::AddData(const std::string& key) {
    auto d = std::make_unique<TData>();
    d->Key = key;
    d->Desc = GetDesc(key);
    Add(std::move(d));
}

std::string TDataList::GetDesc(const std::string&) const { return ""; }

std::string TAntennaList::GetDesc(const std::string& key) const {
    if (key == "KLX-VHF") return "MIRALDO VHF";
    if (key == "VARNOK") return "VARNOK";
    if (key == "KLX-UHF") return "MIRALDO UHF";
    if (key == "KVR") return "KVR Series";
    if (key == "QD") return "QD Series";
    if (key == "QD-MAX") return "QD MAX";
    if (key == "WEN") return "WEN";
    return "Unknown Antenna";
}

std::string TMountList::GetDesc(const std::string& key) const {
    if (key == "S") return "Side Mount";
    if (key == "T") return "Top Mount";
    return "Unknown Mount-Check data";
}

std::string TFeedList::GetDesc(const std::string& key) const {
    if (key == "C") return "Center Feed";
    if (key == "E") return "End Feed";
    return "Unknown Feed-Check data";
}

std::string TPolarizationList::GetDesc(const std::string& key) const {
    if (key == "H") return "Horizontal";
    if (key == "E") return "Elliptical / Circular";
    return "Unknown polarization";
}

void TChannelList::AddChannel(const std::string& channelNumber, const std::string& begFreq,
                              const std::string& endFreq) {
    auto c = std::make_unique<TChannel>();
    c->ChannelNumber = channelNumber;
    // The texts come from the channel tables: "." or the locale's separator.
    c->BegFreq = DataStrToFloat(begFreq);
    c->EndFreq = DataStrToFloat(endFreq);
    c->Frequency = c->BegFreq + 1.25;
    c->MidFreq = (c->BegFreq + c->EndFreq) / 2;
    c->Desc = begFreq + " - " + endFreq + " MHz";
    Add(std::move(c));
}

void TRealPointList::InsertPoint(int index, double x, double y) {
    if (index < 0 || index > Count()) throw ListIndexError(index);
    FPoints.insert(FPoints.begin() + index, TRealPoint{x, y});
}

TRealPoint TRealPointList::Point(int index) const {
    Check(index);
    return FPoints[static_cast<size_t>(index)];
}

TRealPoint& TRealPointList::PPoint(int index) {
    Check(index);
    return FPoints[static_cast<size_t>(index)];
}

const TRealPoint& TRealPointList::PPoint(int index) const {
    Check(index);
    return FPoints[static_cast<size_t>(index)];
}

void TRealPointList::ConvertTodB() {
    for (auto& p : FPoints) p.Y = FieldTodB(p.Y);
}

}  // namespace velmo
