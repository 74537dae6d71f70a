// Entry point of the widget tests: the toolkit must exist before the first test runs. The tests
// are headless, also when CTest lists them.
#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/gui.h"

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  if (!platform::Initialise(argc, argv))
    return 1;
  return RUN_ALL_TESTS();
}
