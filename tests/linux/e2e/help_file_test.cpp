// Reading the compiled help file: its default topic, and the pages, style
// sheet and pictures its pages name.

#include <gtest/gtest.h>

#include <QImage>
#include <QTextDocument>

#include "chm_archive.h"
#include "help_browser.h"

namespace korvane::ui {
namespace {

const std::string kHelpFile = KORVANE_TEST_HELP_CHM;

TEST(ChmArchive, ReadsItsDefaultTopicAndItsFilesByNameInAnyCase) {
  const auto archive = ChmArchive::Open(kHelpFile);
  ASSERT_TRUE(archive);
  EXPECT_EQ(archive->DefaultTopic(), "/index.htm");
  const auto page = archive->Read("/INDEX.HTM");
  ASSERT_TRUE(page);
  EXPECT_NE(page->find("<html"), std::string::npos);
  EXPECT_FALSE(archive->Read("/no-such-page.htm"));
}

class HelpBrowserTest : public ::testing::Test {
 protected:
  HelpBrowser browser{*ChmArchive::Open(kHelpFile), nullptr};
};

// Relative names in a page resolve inside the help file.
TEST_F(HelpBrowserTest, ResolvesLinksStyleSheetsAndPicturesFromTheFile) {
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
