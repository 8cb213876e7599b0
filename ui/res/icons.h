#pragma once
// The program icon.

#include <QIcon>

namespace zento::ui {

// IDR_MAINFRAME at the standard 32 x 32 size, as a window icon is loaded.
QIcon LoadMainIcon();
// Every size of the icon (16 to 256 pixels), for desktops that pick their own.
QIcon LoadMainIconAllSizes();

}  // namespace zento::ui
