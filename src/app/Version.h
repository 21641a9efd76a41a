#pragma once

#include <QString>

namespace app {

// The version of the project's programs, from the top CMakeLists.txt.
QString programVersion();

// Prints "name version" and returns true when the only argument is --version; read before any
// window is made, so that it works without a display.
bool printVersionIfAsked(int argc, char **argv, const char *name);

} // namespace app
