#pragma once
// The Qt application object as the window program needs it.

#include <QApplication>
#include <memory>

namespace zento::ui {

// Creates the application object without handing it the program's arguments (the window
// program takes none), and sets the C library's number format back to the C locale, which
// the application object replaced with the user's: every number the program reads and
// writes has a point.
std::unique_ptr<QApplication> CreateApplication(const char* programName);

}  // namespace zento::ui
