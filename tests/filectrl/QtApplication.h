#pragma once
// One QApplication for the tests that make widgets (offscreen under ctest).

#include <QApplication>

inline void EnsureApplication() {
    if (QCoreApplication::instance()) return;
    static int argc = 1;
    static char name[] = "filectrl_tests";
    static char* argv[] = {name, nullptr};
    new QApplication(argc, argv);  // lives to the end of the test program
}
