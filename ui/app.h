#pragma once
// The application: runs the main dialog modally, and ends when it closes.

namespace zento::ui {

class CExposureApp {
 public:
  // Returns false: the program ends once the main dialog has closed.
  bool InitInstance();
};

}  // namespace zento::ui
