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
  // The banner is designed for 96 DPI: on a denser screen, or one that Qt
  // scales, it grows with the client area, smoothly, so that it covers the
  // area as it does at 96 DPI. Whatever lies beyond the client area is cut
  // off by the widget's clip.
  const QSizeF drawn(banner_.width() * logicalDpiX() / 96.0, banner_.height() * logicalDpiY() / 96.0);
  QPainter painter(this);
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  painter.drawPixmap(QRectF(QPointF(0, 0), drawn), banner_, QRectF(banner_.rect()));
}

}  // namespace korvane::ui
