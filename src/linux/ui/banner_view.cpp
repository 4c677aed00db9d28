#include "banner_view.h"

#include <QPainter>
#include <cmath>

#include "shell/main_window.h"

namespace korvane::ui {

namespace {
int TwipsToPixels(int twips, double logicalDpi) {
  return static_cast<int>(std::lround(twips * logicalDpi / 96.0 / kTwipsPerPixelAt96Dpi));
}
}  // namespace

QSize ClientAreaSize(double logicalDpiX, double logicalDpiY) {
  return {TwipsToPixels(kClientWidthTwips, logicalDpiX),
          TwipsToPixels(kClientHeightTwips, logicalDpiY)};
}

BannerView::BannerView(QString bannerFile, QWidget* parent)
    : QWidget(parent), bannerFile_(std::move(bannerFile)) {
  setFixedSize(ClientAreaSize(logicalDpiX(), logicalDpiY()));
}

void BannerView::paintEvent(QPaintEvent*) {
  if (banner_.isNull() && !bannerFile_.isEmpty()) {
    banner_.load(bannerFile_);
    bannerFile_.clear();  // one attempt: a picture that cannot be read stays blank
  }
  if (banner_.isNull()) return;
  // One image pixel to one device pixel, whatever the scaling of the screen;
  // whatever lies beyond the client area is cut off by the widget's clip.
  banner_.setDevicePixelRatio(devicePixelRatioF());
  QPainter painter(this);
  painter.drawPixmap(0, 0, banner_);
}

}  // namespace korvane::ui
