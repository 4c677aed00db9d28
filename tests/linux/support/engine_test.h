#pragma once
// The database engine stand-in on Korvane's demo files, and the engine
// error a step raises.

#include <gtest/gtest.h>

#include <functional>

#include "linux/services/sqlite_engine.h"
#include "platform/error.h"
#include "support/demo_scene.h"

namespace korvane::testing {

class EngineTest : public ::testing::Test {
 protected:
  // The number of the error `step` raises; 0 when it raises none.
  static std::int32_t ErrorNumber(const std::function<void()>& step) {
    try {
      step();
    } catch (const Error& error) {
      return error.Number();
    }
    return 0;
  }

  DemoScene scene;
  linux_edition::SqliteDatabaseEngine engine;
};

}  // namespace korvane::testing
