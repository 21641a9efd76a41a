#pragma once

class QApplication;

namespace startup {

// Answers --version and --help on the standard output, before any window is made: true when
// it did and the program ends there.
bool answerCommandLine(int argc, char **argv);

// The program's start-up sequence and message loop; returns the exit code.
int runSkedwise(QApplication &application);

} // namespace startup
