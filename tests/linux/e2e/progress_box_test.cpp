// The progress box: under the status title with the work's line, modal,
// shown once the work has lasted about a second (kept painted by the
// engine's keep-alive while the work reports nothing), with Cancel only
// where the work can stop, which the next report then answers.

#include "progress_box.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QPushButton>
#include <QThread>
#include <memory>

namespace korvane::ui {
namespace {

class Box : public ::testing::TestWithParam<bool> {};

TEST_P(Box, ShowsAfterASecondAndTakesCancelOnlyWhereItMay) {
  const bool cancellable = GetParam();
  QWidget owner;
  auto box = std::make_unique<ProgressBox>(&owner, u"正在备份后端数据…", cancellable);
  auto* dialog = owner.findChild<QProgressDialog*>();
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(dialog->windowTitle(), QStringLiteral("系统运行状态"));
  EXPECT_EQ(dialog->labelText(), QStringLiteral("正在备份后端数据…"));
  EXPECT_TRUE(dialog->isModal());

  QElapsedTimer clock;
  clock.start();
  while (!dialog->isVisible() && !clock.hasExpired(3000)) {
    linux_edition::KeepAlive();
    QThread::msleep(5);
  }
  EXPECT_TRUE(dialog->isVisible());
  EXPECT_GE(clock.elapsed(), 900);
  QThread::msleep(200);  // the user reads the box before pressing Cancel
  auto* cancel = dialog->findChild<QPushButton*>();
  ASSERT_EQ(cancel != nullptr, cancellable);
  EXPECT_EQ(cancel ? cancel->text() : QStringLiteral("取消"), QStringLiteral("取消"));
  EXPECT_TRUE(box->Advance(1, 4));
  EXPECT_EQ(dialog->value() * 4, dialog->maximum());
  if (cancel) cancel->click();
  EXPECT_EQ(box->Advance(2, 4), !cancellable);
  EXPECT_EQ(dialog->isVisible(), !cancellable);

  box.reset();
  EXPECT_EQ(owner.findChild<QProgressDialog*>(), nullptr);
  EXPECT_FALSE(linux_edition::SetKeepAliveHook(nullptr)) << "the box's hook outlives it";
}

INSTANTIATE_TEST_SUITE_P(, Box, ::testing::Values(true, false),
                         [](const auto& info) { return info.param ? "Cancellable" : "Not"; });

}  // namespace
}  // namespace korvane::ui
