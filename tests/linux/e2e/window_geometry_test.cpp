// The main window's client area on screens of several densities.

#include <gtest/gtest.h>

#include "banner_view.h"

namespace korvane::ui {
namespace {

struct Density {
  double dpiX, dpiY;
  int width, height;
};
void PrintTo(const Density& d, std::ostream* out) {
  *out << d.dpiX << "x" << d.dpiY << " DPI";
}

class ClientArea : public ::testing::TestWithParam<Density> {};

TEST_P(ClientArea, IsTheDesignedTwipsAtTheScreensDensity) {
  const Density& d = GetParam();
  EXPECT_EQ(ClientAreaSize(d.dpiX, d.dpiY), QSize(d.width, d.height));
}

// 8880 x 6105 twips; 15 twips per pixel at 96 DPI; halves round up.
INSTANTIATE_TEST_SUITE_P(, ClientArea,
                         ::testing::Values(Density{96, 96, 592, 407}, Density{144, 144, 888, 611},
                                           Density{192, 96, 1184, 407}));

}  // namespace
}  // namespace korvane::ui
