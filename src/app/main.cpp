// velmo: the desktop program.
#include "app/startup.h"

int main(int argc, char** argv) { return velmo::RunDesktopProgram(argc, argv); }
