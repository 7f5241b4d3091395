#include "base/warnings.h"

#include <utility>

namespace velmo {

namespace {
TWarningHandler& Handler() {
    static TWarningHandler handler;
    return handler;
}
}  // namespace

TWarningHandler SetWarningHandler(TWarningHandler handler) {
    return std::exchange(Handler(), std::move(handler));
}

void Warn(const std::string& message) {
    if (Handler()) Handler()(message);
}

}  // namespace velmo
