#include "ui/res/strings.h"

#include "ui/res/resource.h"

namespace zento::ui {

std::string_view LoadString(int id) {
  switch (id) {
    case IDS_ABOUTBOX:
      return "&About ZENTO...";
    default:
      return {};
  }
}

}  // namespace zento::ui
