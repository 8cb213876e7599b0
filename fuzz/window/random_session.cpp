// The main window fuzzed: a long seeded stream of random user actions, checking after each one
// what must always hold. ZENTO_RANDOM_EVENTS and ZENTO_RANDOM_SEED choose the length and seed.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QPlainTextEdit>
#include <QTextDocument>
#include <QtTest/QTest>
#include <cstdlib>
#include <random>
#include <sstream>

#include "core/number_text.h"
#include "tests/ui/support/main_window.h"

namespace zento::ui {
namespace {

constexpr int kInputFields[] = {IDC_POWER,
                                IDC_DUTY_CYCLE,
                                IDC_FREQUENCY,
                                IDC_FEEDLINE_LOSS,
                                IDC_ANTENNA_GAIN,
                                IDC_CONTROLLED_DISTANCE,
                                IDC_UNCONTROLLED_DISTANCE};
constexpr const char* kPastes[] = {
    "1e999", "-0",  "99999999999999999999", "3.5.6",   "  42  ", "+7", "0.000001", "nan", "inf",
    "0x1p3", "1,5", "\xc3\xa9t\xc3\xa9",    "-1e-320", "12abc"};

long EnvOr(const char* name, long fallback) {
  const char* value = std::getenv(name);
  return value != nullptr ? std::strtol(value, nullptr, 10) : fallback;
}

class RandomInputTest : public test::MainWindowTest {
 protected:
  void SetUp() override {
    answers_.AnswerMessageBoxes(test::PressOk());
    Open(test::PressOk());
  }

  int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }

  // One action, described for the replay list.
  std::string Act() {
    const int kind = Pick(100);
    if (kind < 70) {
      const int field = kInputFields[Pick(7)];
      if (!dlg_.HasFocus(field)) test::ClickControl(W(), field);
      const std::string in = "field " + std::to_string(field) + ": ";
      const int key = Pick(20);
      if (key < 12) {
        const char c = "0123456789.-+eEa "[Pick(17)];
        QTest::keyClicks(W()->focusWidget(), QString(QChar(c)));
        return in + "type '" + c + "'";
      }
      if (key < 18) {
        const Qt::Key keys[] = {Qt::Key_Backspace, Qt::Key_Backspace, Qt::Key_Backspace,
                                Qt::Key_Delete,    Qt::Key_Home,      Qt::Key_A};
        test::PressKey(W(), keys[key - 12], key == 17 ? Qt::ControlModifier : Qt::NoModifier);
        return in + "key " + std::to_string(keys[key - 12]);
      }
      const char* paste = kPastes[Pick(static_cast<int>(std::size(kPastes)))];
      QApplication::clipboard()->setText(QString::fromUtf8(paste));
      test::PressKey(W(), Qt::Key_V, Qt::ControlModifier);
      return in + "paste '" + paste + "'";
    }
    if (kind < 89) {
      test::ClickControl(W(), kind < 79 ? IDC_METRIC : IDC_ENGLISH);
      return kind < 79 ? "Metric" : "English";
    }
    if (kind < 92) {
      test::ClickControl(W(), IDC_ADD_TO_REPORT);
      ++blocksAdded_;
      return "Add to Report";
    }
    if (kind < 97) {  // the feedline dialog: a cable or none, a length, units, and an ending
      const int row = Pick(28) - 1, units = Pick(2), end = Pick(3);
      const std::string length = std::to_string(Pick(3000) - 100);
      answers_.Expect("feedline", [=](QWidget* dialog) {
        if (row >= 0) test::ChooseListItem(dialog, IDC_CABLE_TYPE, row);
        test::ReplaceText(dialog, IDC_CABLE_LENGTH, QString::fromStdString(length));
        test::ChooseListItem(dialog, IDC_LENGTH_UNITS, units);
        (end == 0 ? test::PressOk() : end == 1 ? test::PressCancel() : test::PressEscape())(dialog);
      });
      test::ClickControl(W(), IDC_FEEDLINE_CALC);
      return "feedline: cable " + std::to_string(row) + ", length " + length + ", units " + std::to_string(units) +
             ", end " + std::to_string(end);
    }
    const int button = Pick(9) - 1;
    const bool ok = Pick(2) == 0;
    answers_.Expect("gain", [button, ok](QWidget* dialog) {
      if (button >= 0) test::ClickControl(dialog, IDC_ANT_QUARTER_WAVE + button);
      (ok ? test::PressOk() : test::PressEscape())(dialog);
    });
    test::ClickControl(W(), IDC_GAIN_CALC);
    return "gain: button " + std::to_string(button) + (ok ? ", OK" : ", Escape");
  }

  // What must hold after every event; empty when it does.
  std::string Violation(const std::string& event) {
    const StationParameters& s = dlg_.Station();
    if (T(IDC_CONTROLLED_LIMIT) != FormatFixed(s.controlledLimit, 2)) return "controlled limit field";
    if (T(IDC_UNCONTROLLED_LIMIT) != FormatFixed(s.uncontrolledLimit, 2)) return "uncontrolled limit field";
    // The EIRP field lags the EIRP only after a distance whose power could not be worked back
    // (a duty cycle of 0, or a power that is not a number).
    if (T(IDC_EIRP) == FormatFixed(s.eirpWatts, 2)) {
      eirpMayLag_ = false;
    } else if (!eirpMayLag_) {
      if (event.find("field 1008") == std::string::npos && event.find("field 1011") == std::string::npos) {
        return "EIRP field " + T(IDC_EIRP) + " for " + FormatFixed(s.eirpWatts, 2);
      }
      if (ComputePowerForEirp(s.eirpWatts, s.dutyCyclePercent, s.antennaGainDbi, s.feedlineLossDb)) {
        return "EIRP field lags though the power could be worked back";
      }
      eirpMayLag_ = true;
    }
    const FeedlineState& feedline = dlg_.Feedline();
    const std::string type = T(IDC_FEEDLINE_TYPE);
    if ((type == "Generic") != (feedline.selection == -1)) return "feedline type '" + type + "'";
    if (feedline.selection != -1 && type != feedline.selectedName) return "feedline type is not the cable";
    // The report grows by whole blocks only. Its text is read only when it has changed.
    const int revision = qobject_cast<QPlainTextEdit*>(dlg_.Control(IDC_REPORT))->document()->revision();
    if (revision == reportRevision_ && blocksSeen_ == blocksAdded_) return {};
    reportRevision_ = revision;
    const std::string report = Report();
    if (report.size() < report_.size() || report.compare(0, report_.size(), report_) != 0) return "report lost text";
    std::string added = report.substr(report_.size());
    for (; blocksSeen_ < blocksAdded_; ++blocksSeen_) {
      const std::string rule = std::string(52, '-') + "\r\n";
      const auto end = added.find(rule);
      if (added.rfind("Description:\r\nFrequency: ", 0) != 0 || end == std::string::npos) return "not a block";
      added = added.substr(end + rule.size());
    }
    if (!added.empty()) return "report changed by more than whole blocks";
    report_ = report;
    return {};
  }

  std::mt19937 random_;
  std::string report_;
  int blocksAdded_ = 0;
  int blocksSeen_ = 0;
  bool eirpMayLag_ = false;
  int reportRevision_ = -1;
};

TEST_F(RandomInputTest, InvariantsHoldThroughARandomSession) {
  const long events = EnvOr("ZENTO_RANDOM_EVENTS", 20000);
  const auto seed = static_cast<std::uint32_t>(EnvOr("ZENTO_RANDOM_SEED", 20261206));
  random_.seed(seed);
  report_ = Report();
  std::vector<std::string> history;
  history.reserve(static_cast<std::size_t>(events));
  for (long i = 0; i < events; ++i) {
    history.push_back(Act());
    const std::string violation = Violation(history.back());
    if (!violation.empty() || HasFailure()) {
      std::ostringstream list;  // the last events, to replay the fault by hand
      for (std::size_t k = history.size() > 300 ? history.size() - 300 : 0; k < history.size(); ++k) {
        list << "  " << k << ": " << history[k] << '\n';
      }
      FAIL() << "after event " << i << " (seed " << seed << "): " << violation << "\n" << list.str();
    }
    ASSERT_TRUE(dlg_.IsOpen()) << "the window closed (seed " << seed << ")";
  }
  RecordProperty("seed", static_cast<int>(seed));
  if (events >= 1000) {
    EXPECT_GT(answers_.Messages().size(), 0u) << "the stream should reach validation messages";
    EXPECT_GT(blocksAdded_, 0);
  }
}

}  // namespace
}  // namespace zento::ui
