// The compiled help file's pages, style sheet and pictures, as its pages
// name them.

#include <gtest/gtest.h>

#include <QImage>
#include <QTextDocument>

#include "chm_archive.h"
#include "help_browser.h"

namespace korvane::ui {
namespace {

// Relative names in a page resolve inside the help file.
TEST(HelpBrowser, ResolvesLinksStyleSheetsAndPicturesFromTheFile) {
  HelpBrowser browser(*ChmArchive::Open(KORVANE_TEST_HELP_CHM), nullptr);
  browser.ShowDefaultTopic();
  const QVariant page = browser.loadResource(QTextDocument::HtmlResource, QUrl("run.htm"));
  EXPECT_TRUE(page.toString().contains(QStringLiteral("数据操作前端")));
  EXPECT_FALSE(browser.loadResource(QTextDocument::StyleSheetResource, QUrl("style.css")).isNull());
  const QImage picture = QImage::fromData(
      browser.loadResource(QTextDocument::ImageResource, QUrl("window.png")).toByteArray());
  EXPECT_FALSE(picture.isNull());
  EXPECT_TRUE(browser.loadResource(QTextDocument::ImageResource, QUrl("none.png")).isNull());
}

}  // namespace
}  // namespace korvane::ui
