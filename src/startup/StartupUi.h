#pragma once

class QApplication;

namespace startup {

// The program's start-up sequence and message loop; returns the exit code.
int runSkedwise(QApplication &application);

} // namespace startup
