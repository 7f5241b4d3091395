#pragma once
// Messages for the user that do not stop the work: a pattern file that is refused or
// cut short, a value from a file that is brought into range. The desktop program
// shows them in a warning box, velmo-cli prints them on stderr. Without a handler they
// are dropped.
#include <functional>
#include <string>

namespace velmo {

using TWarningHandler = std::function<void(const std::string& message)>;
// Installs `handler` process-wide and returns the one it replaces.
TWarningHandler SetWarningHandler(TWarningHandler handler);
// Hands `message` to the installed handler, if any.
void Warn(const std::string& message);

}  // namespace velmo
