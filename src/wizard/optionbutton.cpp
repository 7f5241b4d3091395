#include "wizard/optionbutton.h"

namespace velmo {

int SelectedIndex(const TOptionGroup& group) {
    for (size_t i = 0; i < group.size(); ++i)
        if (group[i].Selected) return static_cast<int>(i);
    return -1;
}

TOptionDetail GetCheckedID(const TOptionGroup& group) {
    const int i = SelectedIndex(group);
    if (i < 0) return {"", "N"};
    return {group[static_cast<size_t>(i)].Key, group[static_cast<size_t>(i)].PowerCode};
}

void SelectOnly(TOptionGroup& group, int index) {
    for (size_t i = 0; i < group.size(); ++i) group[i].Selected = static_cast<int>(i) == index;
}

bool ListHasKey(const TDataList& list, const std::string& key) {
    for (int i = 0; i < list.Count(); ++i)
        if (list.Item(i).Key == key) return true;
    return false;
}

int IndexOfKey(const TOptionGroup& group, const std::string& key) {
    for (size_t i = 0; i < group.size(); ++i)
        if (group[i].Key == key) return static_cast<int>(i);
    return -1;
}

bool Clickable(const TOptionGroup& group, int index) {
    return index >= 0 && index < static_cast<int>(group.size()) &&
           group[static_cast<size_t>(index)].Enabled;
}

}  // namespace velmo
