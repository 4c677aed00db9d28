#pragma once
// The main window's client area: a fixed size given in twips, and the
// banner drawn from its top-left corner at the size it has at 96 DPI. The banner is decoded when
// first drawn, so that the window appears without waiting for the picture.

#include <QPixmap>
#include <QSize>
#include <QString>
#include <QWidget>

namespace korvane::ui {

// The client area's size in pixels on a screen of the given logical dots
// per inch: the twips of the window's design, 15 twips per pixel at 96 DPI.
QSize ClientAreaSize(double logicalDpiX, double logicalDpiY);

class BannerView : public QWidget {
 public:
  // `bannerFile` names the picture (a file or a Qt resource); an empty
  // name leaves the area blank.
  BannerView(QString bannerFile, QWidget* parent);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QString bannerFile_;
  QPixmap banner_;
};

}  // namespace korvane::ui
