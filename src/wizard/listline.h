#pragma once
// One line of a name/value list box on a wizard page.
#include <string>

namespace velmo {

struct TListLine {
    std::string Name;
    std::string Value;
};

}  // namespace velmo
