#pragma once
// The application object of a window test suite, made as its program makes it; each suite that
// links tests/support/offscreen_main.cpp defines it.

#include <QApplication>
#include <memory>

namespace zento::test {

std::unique_ptr<QApplication> MakeTestApplication(int& argc, char** argv);

}  // namespace zento::test
