#pragma once
// Lookups over one reference table that need no design: the rows of a channel plan,
// the values of one column in the rows that match another, whether a value occurs.
// Each call reads the file afresh; a missing file raises the table reader's Error,
// a channel frequency that is not a number raises ConvertError.
#include <string>
#include <vector>

#include "base/types.h"

namespace velmo {

// The file names of the market's TV channel plan and channel-to-family table, and of
// the market's FM channel-to-family table (names only, no folder).
std::string TVChannelTableName(TMarketType market);
std::string TVChannelToFamilyTableName(TMarketType market);
std::string FMChannelToFamilyTableName(TMarketType market);
// The one FM channel plan, used for every market.
inline const char* const kFMChannelTableName = "tblFM_Channels_List_US.txt";

// Clears `channels`, then adds every row of `fileName` whose ACTIVE is exactly "1"
// (CHANNEL, BEG_FREQ, END_FREQ), in file order.
void ReadActiveChannels(const std::string& fileName, TChannelList& channels);

// Clears `list`, then adds the `keyColumn` value of every row whose `compareColumn`
// equals `value` exactly, in file order; duplicates stay.
void ReadMatchingKeys(TDataList& list, const std::string& fileName, const std::string& keyColumn,
                      const std::string& compareColumn, const std::string& value);

// True when some row of `fileName` has `column` equal to `value` (the scan stops at
// the first such row).
bool TableHasValue(const std::string& fileName, const std::string& column,
                   const std::string& value);

}  // namespace velmo
