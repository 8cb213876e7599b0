#pragma once
// The program's string table.

#include <string_view>

namespace zento::ui {

// The string of that identifier; empty when there is none.
std::string_view LoadString(int id);

}  // namespace zento::ui
