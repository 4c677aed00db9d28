// The main window's client area on screens of several densities, and the
// banner covering it at any scaling (CTest runs this program once more with
// Qt scaling by 150 %).

#include <gtest/gtest.h>

#include <QImage>
#include <QPalette>

#include "banner_view.h"

namespace korvane::ui {
namespace {

// 8880 x 6105 twips; 15 twips per pixel at 96 DPI; halves round up.
TEST(ClientArea, IsTheDesignedTwipsAtTheScreensDensity) {
  EXPECT_EQ(ClientAreaSize(96, 96), QSize(592, 407));
  EXPECT_EQ(ClientAreaSize(144, 144), QSize(888, 611));
  EXPECT_EQ(ClientAreaSize(192, 96), QSize(1184, 407));
}

// Drawn on a background of a colour the banner does not hold: no pixel of
// the client area may show it.
TEST(Banner, CoversTheClientAreaAsAt96Dpi) {
  BannerView view(QStringLiteral(KORVANE_TEST_BANNER_GIF), nullptr);
  QPalette palette;
  palette.setColor(QPalette::Window, Qt::magenta);
  view.setPalette(palette);
  view.setAutoFillBackground(true);
  const QImage shot = view.grab().toImage().convertToFormat(QImage::Format_RGB32);
  ASSERT_EQ(shot.width(), qRound(view.width() * view.devicePixelRatioF()));
  int uncovered = 0;
  for (int y = 0; y < shot.height(); ++y) {
    for (int x = 0; x < shot.width(); ++x)
      uncovered += shot.pixel(x, y) == QColor(Qt::magenta).rgb();
  }
  EXPECT_EQ(uncovered, 0) << "at a device pixel ratio of " << view.devicePixelRatioF();
}

}  // namespace
}  // namespace korvane::ui
