#pragma once
// The program icon.

#include <QIcon>

namespace zento::ui {

// IDR_MAINFRAME at the standard 32 x 32 size, as a window icon is loaded.
QIcon LoadMainIcon();
// Both images of IDR_MAINFRAME, 16 x 16 and 32 x 32, for the application's windows. (Larger
// sizes are installed in the icon theme for the desktop; decoding them here would only slow
// start-up.)
QIcon LoadMainIconImages();

}  // namespace zento::ui
