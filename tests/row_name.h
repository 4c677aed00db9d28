#pragma once
// Parameterised tables name each test after its row's `name`.

#include <gtest/gtest.h>

#include <string>

namespace korvane {

struct RowName {
  template <class Row>
  std::string operator()(const ::testing::TestParamInfo<Row>& info) const {
    return info.param.name;
  }
};

}  // namespace korvane
