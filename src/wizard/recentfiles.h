#pragma once
// The recent-files list: at most five full paths, newest first, kept per user. The
// desktop program stores it with its settings; tests hand in a store of their own.
#include <functional>
#include <string>
#include <vector>

namespace velmo {

class TRecentFilesStore {
public:
    virtual ~TRecentFilesStore() = default;
    virtual std::vector<std::string> Load() = 0;
    virtual void Save(const std::vector<std::string>& items) = 0;
};

class TRecentFiles {
public:
    static constexpr size_t kMaxItems = 5;

    // Reads the list from `store` (which may be null: a list kept in memory only).
    explicit TRecentFiles(TRecentFilesStore* store);

    const std::vector<std::string>& Items() const { return FItems; }
    // Puts `path` at the top; an existing entry for it moves up, the sixth drops off.
    void Add(const std::string& path);
    // Takes `path` out; returns its former position, or -1 when it was not listed.
    int Remove(const std::string& path);
    // Puts `path` back at `position` (clamped to the list), as long as it is not listed.
    void Insert(int position, const std::string& path);
    void Clear();
    // Drops the entries whose files no longer exist.
    void RemoveObsolete(const std::function<bool(const std::string&)>& exists);

    // Called after every change of the list.
    std::function<void()> OnChange;

private:
    void Changed();

    TRecentFilesStore* FStore;
    std::vector<std::string> FItems;
};

}  // namespace velmo
