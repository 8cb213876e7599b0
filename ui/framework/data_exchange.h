#pragma once
// Data exchange between a dialog's members and its controls, with range checks.
//
// Loading writes each control's text only when it differs (doubles as "%.15g"). Saving parses
// each field, stores the value, then checks its range. The first failure tells the user,
// puts the focus in that field with its text selected, and makes every later step a no-op;
// the caller sees it in Failed() and abandons the rest of its work.

#include <cstdint>
#include <string>
#include <string_view>

namespace zento::ui {

class Dialog;

class DataExchange {
 public:
  DataExchange(Dialog& dialog, bool saving) : dialog_(dialog), saving_(saving) {}

  bool Saving() const { return saving_; }
  bool Failed() const { return failed_; }
  Dialog& Owner() const { return dialog_; }

  // Called by each exchange step: the control the next range check refers to.
  void SetLastControl(int id) { lastControl_ = id; }
  int LastControl() const { return lastControl_; }
  // Shows `message`, selects the last control's text and stops the exchange.
  void Fail(std::string_view message);

 private:
  Dialog& dialog_;
  bool saving_;
  bool failed_ = false;
  int lastControl_ = 0;
};

void DDX_Text(DataExchange& dx, int id, std::uint32_t& value);
void DDX_Text(DataExchange& dx, int id, std::int32_t& value);
void DDX_Text(DataExchange& dx, int id, double& value);
void DDX_Text(DataExchange& dx, int id, std::string& value);

void DDV_MinMaxUInt(DataExchange& dx, std::uint32_t value, std::uint32_t min, std::uint32_t max);
void DDV_MinMaxInt(DataExchange& dx, std::int32_t value, std::int32_t min, std::int32_t max);
void DDV_MinMaxDouble(DataExchange& dx, double value, double min, double max);
// Loading caps the last control's text length; saving checks the value's length (a line
// break counts as its two characters, CR and LF).
void DDV_MaxChars(DataExchange& dx, const std::string& value, int maxChars);

}  // namespace zento::ui
