#pragma once
// One QApplication for the tests that make widgets (offscreen under ctest), made on first use
// and deleted when the test program ends.

#include <QApplication>

void EnsureApplication();
