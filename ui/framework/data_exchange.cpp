#include <QDialog>

#include "ui/framework/data_exchange.h"

#include <algorithm>
#include <limits>

#include "core/number_text.h"
#include "ui/framework/dialog.h"
#include "ui/framework/message_box.h"

namespace zento::ui {
namespace {

// Characters as the user sees them: one per UTF-8 sequence.
int CountChars(std::string_view text) {
  return static_cast<int>(
      std::count_if(text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

template <class Int>
void ExchangeInteger(DataExchange& dx, int id, Int& value, const char* notANumber) {
  if (dx.Failed()) return;
  dx.SetLastControl(id);
  if (!dx.Saving()) {
    dx.Owner().SetText(id, std::to_string(value));
    return;
  }
  const auto parsed = ParseWholeInteger(dx.Owner().GetText(id));
  if (!parsed || *parsed < std::numeric_limits<Int>::min()) {
    dx.Fail(notANumber);
    return;
  }
  // Beyond the type's range: saturated, so the range check names the bounds.
  value = static_cast<Int>(std::min<std::int64_t>(*parsed, std::numeric_limits<Int>::max()));
}

}  // namespace

void DataExchange::Fail(std::string_view message) {
  if (failed_) return;
  failed_ = true;
  MessageBox(dialog_.Window(), message, MessageIcon::kWarning);
  dialog_.SetFocus(lastControl_);
  dialog_.SetSel(lastControl_, 0, -1);
}

void DDX_Text(DataExchange& dx, int id, std::uint32_t& value) {
  ExchangeInteger(dx, id, value, "Please enter a whole number of 0 or more.");
}

void DDX_Text(DataExchange& dx, int id, std::int32_t& value) {
  ExchangeInteger(dx, id, value, "Please enter a whole number.");
}

void DDX_Text(DataExchange& dx, int id, double& value) {
  if (dx.Failed()) return;
  dx.SetLastControl(id);
  if (!dx.Saving()) {
    dx.Owner().SetText(id, FormatGeneral(value, 15));
    return;
  }
  const auto parsed = ParseWholeDouble(dx.Owner().GetText(id));
  if (!parsed) {
    dx.Fail("Please enter a number.");
    return;
  }
  value = *parsed;
}

void DDX_Text(DataExchange& dx, int id, std::string& value) {
  if (dx.Failed()) return;
  dx.SetLastControl(id);
  if (!dx.Saving()) {
    dx.Owner().SetText(id, value);
    return;
  }
  value = dx.Owner().GetText(id);
}

void DDV_MinMaxUInt(DataExchange& dx, std::uint32_t value, std::uint32_t min, std::uint32_t max) {
  if (dx.Failed() || !dx.Saving()) return;
  if (value < min || value > max) {
    dx.Fail("Please enter a whole number between " + std::to_string(min) + " and " + std::to_string(max) + ".");
  }
}

void DDV_MinMaxInt(DataExchange& dx, std::int32_t value, std::int32_t min, std::int32_t max) {
  if (dx.Failed() || !dx.Saving()) return;
  if (value < min || value > max) {
    dx.Fail("Please enter a whole number between " + std::to_string(min) + " and " + std::to_string(max) + ".");
  }
}

void DDV_MinMaxDouble(DataExchange& dx, double value, double min, double max) {
  if (dx.Failed() || !dx.Saving()) return;
  if (!(value >= min && value <= max)) {
    dx.Fail("Please enter a number between " + FormatGeneral(min, 15) + " and " + FormatGeneral(max, 15) + ".");
  }
}

void DDV_MaxChars(DataExchange& dx, const std::string& value, int maxChars) {
  if (dx.Failed()) return;
  if (!dx.Saving()) {
    dx.Owner().SetTextLimit(dx.LastControl(), maxChars);
    return;
  }
  if (CountChars(value) > maxChars) {
    dx.Fail("Please enter no more than " + std::to_string(maxChars) + " characters.");
  }
}

}  // namespace zento::ui
