// Reading the compiled help file and showing it: its default topic, the
// pages, style sheet and pictures its pages name, and the viewer window.

#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QWidget>

#include "chm_archive.h"
#include "chm_help_viewer.h"
#include "help_browser.h"
#include "linux/services/windows_paths.h"

namespace korvane::ui {
namespace {

const std::string kHelpFile = KORVANE_TEST_HELP_CHM;

TEST(ChmArchive, OpensOnlyACompiledHelpFile) {
  QTemporaryDir folder;
  const QString notHelp = folder.filePath("nuqe.chm");
  QFile file(notHelp);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("<html>not compiled</html>");
  file.close();

  EXPECT_FALSE(ChmArchive::Open(folder.filePath("missing.chm").toStdString()));
  EXPECT_FALSE(ChmArchive::Open(notHelp.toStdString()));
  EXPECT_TRUE(ChmArchive::Open(kHelpFile));
}

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

TEST_F(HelpBrowserTest, ShowsTheDefaultTopicTitledByThePage) {
  browser.ShowDefaultTopic();
  EXPECT_EQ(browser.source(), HelpFileUrl("/index.htm"));
  EXPECT_FALSE(browser.documentTitle().isEmpty());
  EXPECT_EQ(browser.windowTitle(), browser.documentTitle());
  EXPECT_TRUE(browser.toPlainText().contains(QStringLiteral("数据操作前端")));
}

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

TEST(ChmHelpViewer, ShowsOneViewerOwnedByTheCallerAndZeroForAnUnreadableFile) {
  QWidget owner;
  owner.show();
  const auto ownerHandle = static_cast<NativeWindowHandle>(owner.winId());
  const Text path = linux_edition::ToWindowsPath(kHelpFile);
  ChmHelpViewer viewer;

  const NativeWindowHandle first = viewer.HtmlHelpA(ownerHandle, path, kHhDisplayTopic, 0);
  ASSERT_NE(first, 0u);
  QWidget* window = QWidget::find(static_cast<WId>(first));
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(window->isVisible());
  EXPECT_EQ(window->parentWidget(), &owner);
  EXPECT_EQ(viewer.HtmlHelpA(ownerHandle, path, kHhDisplayTopic, 0), first);

  EXPECT_EQ(viewer.HtmlHelpA(ownerHandle, u"Z:\\no\\such\\nuqe.chm", kHhDisplayTopic, 0), 0u);
  EXPECT_EQ(viewer.HtmlHelpA(ownerHandle, u"Q:\\unmapped\\nuqe.chm", kHhDisplayTopic, 0), 0u);
  EXPECT_EQ(viewer.HtmlHelpA(ownerHandle, path, /*HH_DISPLAY_TOC*/ 1, 0), 0u);
}

}  // namespace
}  // namespace korvane::ui
