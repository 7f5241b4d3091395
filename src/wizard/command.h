#pragma once
// The general error display: every command of the desktop program runs through
// RunCommand, so no exception ever crosses the event loop.
#include <functional>

namespace velmo {

// Runs one command and shows any error it raises in an error box (a velmo::Error with
// its own message, anything else as a plain message). True when the command ran to
// its end.
bool RunCommand(const std::function<void()>& command);

}  // namespace velmo
