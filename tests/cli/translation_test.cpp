// zento-calc in German and French: its messages and text follow the user's language, while
// csv and json (what scripts read) stay byte for byte as in English.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <string>
#include <vector>

#include "report/translation.h"
#include "tests/cli/run_calc.h"

namespace zento::cli {
namespace {

using test::RunCalc;
using testing::HasSubstr;
using testing::Not;

const std::string kExample = std::string(ZENTO_SOURCE_DIR) + "/examples/contest-two-transmitters.zento.json";

// Switches the messages to `language` for one test and back to English after it.
class InLanguage {
 public:
  explicit InLanguage(const char* language) {
    setenv("LANGUAGE", language, 1);
    std::setlocale(LC_MESSAGES, "C.UTF-8");
    UseCatalogues(ZENTO_LOCALE_DIR);  // binding again also forgets translations gettext kept
  }
  ~InLanguage() {
    unsetenv("LANGUAGE");
    std::setlocale(LC_MESSAGES, "C");
    UseCatalogues(ZENTO_LOCALE_DIR);
  }
  InLanguage(const InLanguage&) = delete;
  InLanguage& operator=(const InLanguage&) = delete;
};

struct Case {
  const char* language;
  std::vector<std::string> args;
  const char* shown;  // a piece of the translated text, on standard output or error
};

TEST(Translation, MessagesAndTextInTheUsersLanguage) {
  const Case cases[] = {
      {"de", {"--frequency", "abc"}, "--frequency: „abc“ ist keine Zahl"},
      {"fr", {"--frequency", "abc"}, "--frequency\u00a0: «\u00a0abc\u00a0» n’est pas un nombre"},
      {"de", {"--station", kExample}, "Bodenreflexion"},
      {"fr", {"--station", kExample}, "Réflexion au sol activée"},
      {"de", {"--frequency", "14.2", "--at", "10.5"}, "Bei 10.5 Fuß"},  // numbers keep the point
      {"fr", {"--bands", "20m", "--exemption-at", "3"}, "Exemption à 0.91 m"},
      {"fr", {"--frequency", "14.2", "--exemption-at", "3"}, "où l’exemption ne s’applique pas"},  // core's reason
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.language) + " " + c.args.front());
    const auto english = RunCalc(c.args);
    InLanguage language(c.language);
    const auto r = RunCalc(c.args);
    EXPECT_EQ(r.status, english.status);
    EXPECT_THAT(r.out + r.err, HasSubstr(c.shown));
    EXPECT_THAT(english.out + english.err, Not(HasSubstr(c.shown)));
  }
}

TEST(Translation, CsvAndJsonStayAsInEnglish) {
  const std::vector<std::string> runs[] = {
      {"--frequency", "14.2", "--at", "10", "--exemption-at", "2"},
      {"--bands", "160m,20m,2m", "--at", "10", "--exemption-at", "2", "--cable", "RG-58/58B", "--length", "100"},
      {"--rules", "germany-bemfv", "--bands", "40m,20m", "--power", "400", "--at", "5"},
      {"--rules", "fcc", "--bands", "20m,10m", "--power", "1000", "--at", "4", "--exemption-at", "3"},
      {"--station", kExample},
  };
  for (const auto& args : runs) {
    for (const char* format : {"csv", "json"}) {
      auto withFormat = args;
      withFormat.insert(withFormat.end(), {"--format", format});
      SCOPED_TRACE(args.front() + " " + args[1] + " " + format);
      const auto english = RunCalc(withFormat);
      ASSERT_EQ(english.status, kExitOk) << english.err;
      for (const char* language : {"de", "fr"}) {
        InLanguage shown(language);
        const auto r = RunCalc(withFormat);
        EXPECT_EQ(r.status, english.status);
        EXPECT_EQ(r.out, english.out) << language;
      }
    }
  }
}

}  // namespace
}  // namespace zento::cli
