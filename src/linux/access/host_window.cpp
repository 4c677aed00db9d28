#include "linux/access/host_window.h"

#include <QHeaderView>
#include <QTableWidget>

namespace korvane::linux_edition {

HostWindow::HostWindow(const Text& title, const std::vector<LinkedTableSummary>& tables) {
  setWindowTitle(ToQString(title));
  auto* list = new QTableWidget(static_cast<int>(tables.size()), 3, this);
  list->setHorizontalHeaderLabels(
      {QStringLiteral("链接表"), QStringLiteral("记录数"), QStringLiteral("来源数据库")});
  list->setEditTriggers(QAbstractItemView::NoEditTriggers);
  list->verticalHeader()->hide();
  list->horizontalHeader()->setStretchLastSection(true);
  for (int row = 0; row < static_cast<int>(tables.size()); ++row) {
    const auto& table = tables[static_cast<std::size_t>(row)];
    list->setItem(row, 0, new QTableWidgetItem(ToQString(table.name)));
    const QString rows = table.rows < 0 ? QStringLiteral("无法读取") : QString::number(table.rows);
    auto* count = new QTableWidgetItem(rows);
    count->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    list->setItem(row, 1, count);
    list->setItem(row, 2, new QTableWidgetItem(ToQString(table.database)));
  }
  list->resizeColumnsToContents();
  setCentralWidget(list);
  resize(640, 400);
}

void HostWindow::Show(int windowStyle) {
  switch (windowStyle) {
    case 0:
      return;
    case 2:
    case 6:
    case 7:
      showMinimized();
      return;
    case 3:
      showMaximized();
      raise();
      activateWindow();
      return;
    default:
      show();
  }
}

}  // namespace korvane::linux_edition
