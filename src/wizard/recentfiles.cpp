#include "wizard/recentfiles.h"

#include <algorithm>

namespace velmo {

TRecentFiles::TRecentFiles(TRecentFilesStore* store) : FStore(store) {
    if (!FStore) return;
    for (const std::string& item : FStore->Load()) {
        if (item.empty() || std::find(FItems.begin(), FItems.end(), item) != FItems.end()) continue;
        if (FItems.size() == kMaxItems) break;
        FItems.push_back(item);
    }
}

void TRecentFiles::Add(const std::string& path) {
    if (path.empty()) return;
    FItems.erase(std::remove(FItems.begin(), FItems.end(), path), FItems.end());
    FItems.insert(FItems.begin(), path);
    if (FItems.size() > kMaxItems) FItems.resize(kMaxItems);
    Changed();
}

int TRecentFiles::Remove(const std::string& path) {
    auto it = std::find(FItems.begin(), FItems.end(), path);
    if (it == FItems.end()) return -1;
    const int position = static_cast<int>(it - FItems.begin());
    FItems.erase(it);
    Changed();
    return position;
}

void TRecentFiles::Insert(int position, const std::string& path) {
    if (path.empty() || std::find(FItems.begin(), FItems.end(), path) != FItems.end()) return;
    position = std::clamp(position, 0, static_cast<int>(FItems.size()));
    FItems.insert(FItems.begin() + position, path);
    if (FItems.size() > kMaxItems) FItems.resize(kMaxItems);
    Changed();
}

void TRecentFiles::Clear() {
    FItems.clear();
    Changed();
}

void TRecentFiles::RemoveObsolete(const std::function<bool(const std::string&)>& exists) {
    const size_t before = FItems.size();
    FItems.erase(std::remove_if(FItems.begin(), FItems.end(),
                                [&](const std::string& p) { return !exists(p); }),
                 FItems.end());
    if (FItems.size() != before) Changed();
}

void TRecentFiles::Changed() {
    if (FStore) FStore->Save(FItems);
    if (OnChange) OnChange();
}

}  // namespace velmo
