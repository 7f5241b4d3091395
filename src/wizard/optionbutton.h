#pragma once
// The option buttons of the system parameter pages: one group of buttons of which at
// most one is selected, each with a key (the code it stands for), a power code, a
// caption, a description and an enabled state.
#include <string>
#include <vector>

#include "base/types.h"

namespace velmo {

struct TOptionButton {
    std::string Caption;
    std::string Key;
    std::string PowerCode;
    std::string Description;
    bool Enabled = true;
    bool Selected = false;
};

using TOptionGroup = std::vector<TOptionButton>;

// Index of the selected button, -1 when none.
int SelectedIndex(const TOptionGroup& group);
// Key and power code of the first selected button; none selected gives an empty key
// and power code "N".
TOptionDetail GetCheckedID(const TOptionGroup& group);
// Selects `index` and deselects the others; -1 deselects all.
void SelectOnly(TOptionGroup& group, int index);
// True when `key` is among the keys of `list`.
bool ListHasKey(const TDataList& list, const std::string& key);

}  // namespace velmo
