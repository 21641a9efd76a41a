#pragma once

#include <QIcon>

namespace app {

// The project's icon in the sizes desktops ask for: the window icon of both programs.
QIcon programIcon();

} // namespace app
