#include "refdata/tablelookup.h"

#include "refdata/texttable.h"

namespace velmo {

namespace {
const char* MarketWord(TMarketType market, const char* us, const char* euro, const char* aus) {
    switch (market) {
        case mtEurope:
            return euro;
        case mtAustralia:
            return aus;
        case mtUS:
        default:
            return us;
    }
}
}  // namespace

std::string TVChannelTableName(TMarketType market) {
    return std::string("tblChannels_") + MarketWord(market, "US", "Euro", "Australian") + ".txt";
}

std::string TVChannelToFamilyTableName(TMarketType market) {
    return std::string("tblChannel_") + MarketWord(market, "US", "Euro", "Aus") + "_To_Antenna.txt";
}

std::string FMChannelToFamilyTableName(TMarketType market) {
    return std::string("tblFM_Channel_To_FamilyID_") + MarketWord(market, "US", "Euro", "Aus") +
           ".txt";
}

void ReadActiveChannels(const std::string& fileName, TChannelList& channels) {
    channels.Clear();
    TTextTable table;
    table.LoadFromFile(fileName);
    while (!table.Eof()) {
        if (table.Field("ACTIVE") == "1")
            channels.AddChannel(table.Field("CHANNEL"), table.Field("BEG_FREQ"),
                                table.Field("END_FREQ"));
        table.MoveNext();
    }
}

void ReadMatchingKeys(TDataList& list, const std::string& fileName, const std::string& keyColumn,
                      const std::string& compareColumn, const std::string& value) {
    list.Clear();
    TTextTable table;
    table.LoadFromFile(fileName);
    while (!table.Eof()) {
        if (table.Field(compareColumn) == value) list.AddData(table.Field(keyColumn));
        table.MoveNext();
    }
}

bool TableHasValue(const std::string& fileName, const std::string& column,
                   const std::string& value) {
    TTextTable table;
    table.LoadFromFile(fileName);
    while (!table.Eof()) {
        if (table.Field(column) == value) return true;
        table.MoveNext();
    }
    return false;
}

}  // namespace velmo
