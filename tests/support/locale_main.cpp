// Test entry point that takes the locale from the environment, as a user's program would, so
// the suites can be run again under a comma-decimal locale.
#include <gtest/gtest.h>

#include <clocale>

int main(int argc, char** argv) {
  std::setlocale(LC_ALL, "");
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
