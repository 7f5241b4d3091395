#pragma once
// The recent-files list in the user's settings (organization "Orvane", application
// "Velmo", key "MRU Items").
#include "wizard/recentfiles.h"

namespace velmo {

class TSettingsRecentStore : public TRecentFilesStore {
public:
    std::vector<std::string> Load() override;
    void Save(const std::vector<std::string>& items) override;
};

}  // namespace velmo
