#pragma once
// The desktop program's start: folders, working design, splash, application title,
// main window, event loop.
namespace velmo {

int RunDesktopProgram(int argc, char** argv);

}  // namespace velmo
