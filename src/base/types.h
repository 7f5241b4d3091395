#pragma once
// The shared vocabulary: enumerations (their ordinals are stored in design files,
// so the order is binding), small records and the owning list containers.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "base/error.h"

namespace velmo {

enum TPatternType { ptHorizontal = 0, ptVertical = 1, ptFM = 2 };
enum TServiceType { stAnalog = 0, stDigital = 1 };
enum TMarketType { mtUS = 0, mtEurope = 1, mtAustralia = 2 };
enum TInputType { itSix = 0, itSeven = 1, itEight = 2 };
enum TRangeType { rtFiveToTen = 0, FiveToNinety = 1 };
enum TViewType { vtPortrait = 0, vtStretch = 1 };
enum TPowerType { ptRP = 0, ptRF = 1 };

struct TData {
    std::string Key;
    std::string Desc;
};

struct TChannel {
    std::string ChannelNumber;
    double BegFreq = 0;
    double EndFreq = 0;
    double Frequency = 0;
    double MidFreq = 0;
    std::string Desc;
};

struct TOptionDetail {
    std::string Key;
    std::string PowerCode;
};

struct TRealPoint {
    double X = 0;
    double Y = 0;
};

struct TRealRect {
    double Left = 0;
    double Top = 0;
    double Right = 0;
    double Bottom = 0;
};

struct TRange {
    int32_t Min = 0;
    int32_t Max = 0;
    int32_t Increment = 0;
};

struct TInputInfo {
    TInputType Input = itSix;
    double Value = 0;
};

// Raised for an index outside 0..Count-1; the list is left unchanged.
class ListIndexError : public Error {
public:
    explicit ListIndexError(long long index)
        : Error("List index out of bounds (" + std::to_string(index) + ")") {}
};

// Ordered, index-addressed list that owns every element it holds.
template <typename T>
class TOwningList {
public:
    TOwningList() = default;
    TOwningList(const TOwningList&) = delete;
    TOwningList& operator=(const TOwningList&) = delete;
    virtual ~TOwningList() = default;

    int Count() const { return static_cast<int>(FItems.size()); }
    bool Empty() const { return FItems.empty(); }
    virtual void Clear() { FItems.clear(); }

    T& Add(std::unique_ptr<T> item) {
        FItems.push_back(std::move(item));
        return *FItems.back();
    }
    T& Insert(int index, std::unique_ptr<T> item) {
        if (index < 0 || index > Count()) throw ListIndexError(index);
        FItems.insert(FItems.begin() + index, std::move(item));
        return *FItems[static_cast<size_t>(index)];
    }
    // Removes and frees the element at index.
    void Remove(int index) {
        Check(index);
        FItems.erase(FItems.begin() + index);
    }
    T& Item(int index) {
        Check(index);
        return *FItems[static_cast<size_t>(index)];
    }
    const T& Item(int index) const {
        Check(index);
        return *FItems[static_cast<size_t>(index)];
    }

protected:
    void Check(int index) const {
        if (index < 0 || index >= Count()) throw ListIndexError(index);
    }
    std::vector<std::unique_ptr<T>> FItems;
};

using TBaseList = TOwningList<TData>;

// A list of key/description records; descendants answer GetDesc from their own tables.
class TDataList : public TOwningList<TData> {
public:
    // Appends a record whose Desc is GetDesc(Key).
    void AddData(const std::string& key);
    TData Data(int index) const { return Item(index); }  // a copy
    virtual std::string GetDesc(const std::string& key) const;
};

class TAntennaList : public TDataList {
public:
    std::string GetDesc(const std::string& key) const override;
};
class TMountList : public TDataList {
public:
    std::string GetDesc(const std::string& key) const override;
};
class TFeedList : public TDataList {
public:
    std::string GetDesc(const std::string& key) const override;
};
class TPolarizationList : public TDataList {
public:
    std::string GetDesc(const std::string& key) const override;
};

class TChannelList : public TOwningList<TChannel> {
public:
    // The frequencies come as text, as read from a channel table; a text that does
    // not convert raises ConvertError and nothing is added.
    void AddChannel(const std::string& channelNumber, const std::string& begFreq,
                    const std::string& endFreq);
    TChannel& Channel(int index) { return Item(index); }  // a reference
    const TChannel& Channel(int index) const { return Item(index); }
};

class TRealPointList {
public:
    TRealPointList() = default;
    TRealPointList(const TRealPointList&) = delete;
    TRealPointList& operator=(const TRealPointList&) = delete;

    int Count() const { return static_cast<int>(FPoints.size()); }
    bool Empty() const { return FPoints.empty(); }
    void Clear() { FPoints.clear(); }
    void AddPoint(double x, double y) { FPoints.push_back({x, y}); }
    void AddPoint(const TRealPoint& p) { FPoints.push_back(p); }
    void InsertPoint(int index, double x, double y);
    TRealPoint Point(int index) const;  // a copy
    TRealPoint& PPoint(int index);      // a reference, for changes in place
    const TRealPoint& PPoint(int index) const;
    void Assign(const TRealPointList& source) { FPoints = source.FPoints; }
    // Replaces every Y by FieldTodB(Y), in place.
    void ConvertTodB();
    void Reserve(int n) { FPoints.reserve(static_cast<size_t>(n)); }
    // Makes the list hold n points (the new ones (0, 0)) and returns the first, for
    // filling in place; a list that holds n points already is not touched.
    TRealPoint* Resize(int n) {
        FPoints.resize(static_cast<size_t>(n));
        return FPoints.data();
    }
    const std::vector<TRealPoint>& Points() const { return FPoints; }

private:
    void Check(int index) const {
        if (index < 0 || index >= Count()) throw ListIndexError(index);
    }
    std::vector<TRealPoint> FPoints;
};

}  // namespace velmo
