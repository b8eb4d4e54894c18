// A suite's one MainWindow (each window that closes costs Wine seconds without a window manager): the
// driver is made before the suite's first test and destroyed after its last.
#pragma once

#include <gtest/gtest.h>

#include "tests/app/app_driver_win.h"

namespace sw::test {

class SharedAppTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { shared_ = new AppDriver(); }
  static void TearDownTestSuite() {
    delete shared_;
    shared_ = nullptr;
  }
  WindowRuntime& runtime() { return app_.runtime(); }

  inline static AppDriver* shared_ = nullptr;
  AppDriver& app_ = *shared_;
};

}  // namespace sw::test
