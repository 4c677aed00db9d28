#pragma once
// The main window's client area: a fixed size given in twips, and the
// banner drawn unscaled from its top-left corner.

#include <QPixmap>
#include <QSize>
#include <QWidget>

namespace korvane::ui {

// The client area's size in pixels on a screen of the given logical dots
// per inch: the twips of the window's design, 15 twips per pixel at 96 DPI.
QSize ClientAreaSize(double logicalDpiX, double logicalDpiY);

class BannerView : public QWidget {
 public:
  BannerView(QPixmap banner, QWidget* parent);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QPixmap banner_;
};

}  // namespace korvane::ui
