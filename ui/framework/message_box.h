#pragma once
// The program's message box: modal, with an OK button, captioned with the application's name.

#include <string_view>

class QWidget;

namespace zento::ui {

inline constexpr const char* kApplicationName = "ZENTO";

enum class MessageIcon { kNone, kWarning, kError };

// Returns when the user has answered; the owner is active again afterwards.
void MessageBox(QWidget* owner, std::string_view text, MessageIcon icon = MessageIcon::kNone);

}  // namespace zento::ui
