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
// Index of the first button with `key`, -1 when none.
int IndexOfKey(const TOptionGroup& group, const std::string& key);
// True when `index` names a button of the group that is enabled.
bool Clickable(const TOptionGroup& group, int index);
// The selection by key of the pages' scripted road: clicks (through `click`, which
// runs the page's click handling) the button with `key` when it is enabled; false when
// there is none or it is disabled.
template <class Click>
bool ClickKey(const TOptionGroup& group, const std::string& key, Click click) {
    const int i = IndexOfKey(group, key);
    if (!Clickable(group, i)) return false;
    click(i);
    return true;
}
// True when `key` is among the keys of `list`.
bool ListHasKey(const TDataList& list, const std::string& key);

}  // namespace velmo
