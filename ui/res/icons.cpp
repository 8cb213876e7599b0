#include "ui/res/icons.h"

namespace zento::ui {

QIcon LoadMainIcon() { return QIcon(QStringLiteral(":/zento/icons/zento-32.png")); }

QIcon LoadMainIconImages() {
  QIcon icon;
  for (const int size : {16, 32}) {
    icon.addFile(QStringLiteral(":/zento/icons/zento-%1.png").arg(size), QSize(size, size));
  }
  return icon;
}

}  // namespace zento::ui
