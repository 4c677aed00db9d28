// The main window: its client area on screens of several densities, its
// menu bar, and the commands and unload it forwards.

#include <gtest/gtest.h>

#include <QAction>
#include <QCoreApplication>
#include <QMenuBar>
#include <vector>

#include "banner_view.h"
#include "launcher_window.h"
#include "qt_text.h"

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
                                           Density{120, 120, 740, 509},
                                           Density{192, 96, 1184, 407}));

class LauncherWindowTest : public ::testing::Test {
 protected:
  LauncherWindow window{QString(), QIcon()};
};

TEST_F(LauncherWindowTest, HasTheCaptionAndSixPlainEntriesInOrder) {
  EXPECT_EQ(window.windowTitle(), QStringLiteral("TessalyKorvane"));
  const QList<QAction*> actions = window.menuBar()->actions();
  ASSERT_EQ(actions.size(), static_cast<qsizetype>(kMenuBar.size()));
  for (std::size_t i = 0; i < kMenuBar.size(); ++i) {
    EXPECT_EQ(actions[i]->text(), ToQString(kMenuBar[i].caption));
    EXPECT_EQ(actions[i]->menu(), nullptr);
    EXPECT_TRUE(actions[i]->shortcut().isEmpty());
    EXPECT_FALSE(actions[i]->isCheckable());
  }
  EXPECT_EQ(window.centralWidget()->size(), QSize(592, 407));
}

TEST_F(LauncherWindowTest, EachEntryRunsItsOwnCommand) {
  std::vector<MenuCommand> chosen;
  window.OnCommand([&](MenuCommand command) { chosen.push_back(command); });
  for (const MenuEntry& entry : kMenuBar) window.ActionFor(entry.command)->trigger();
  QCoreApplication::processEvents();

  std::vector<MenuCommand> expected;
  for (const MenuEntry& entry : kMenuBar) expected.push_back(entry.command);
  EXPECT_EQ(chosen, expected);
}

TEST_F(LauncherWindowTest, UnloadsOnceHoweverItIsClosed) {
  int unloads = 0;
  window.OnUnload([&] { ++unloads; });
  window.show();
  window.Unload();
  window.close();
  EXPECT_EQ(unloads, 1);
  EXPECT_FALSE(window.isVisible());
}

}  // namespace
}  // namespace korvane::ui
