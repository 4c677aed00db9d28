#pragma once
// The Access stand-in's window: the application title as caption and the
// front-end's linked tables with their row counts.

#include <QMainWindow>
#include <vector>

#include "linux/services/front_end_summary.h"

namespace korvane::linux_edition {

inline QString ToQString(const Text& text) {
  return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

class HostWindow : public QMainWindow {
 public:
  HostWindow(const Text& title, const std::vector<LinkedTableSummary>& tables);
  // Shows the window as a Windows window style asks: 0 hidden, 2, 6 and 7
  // minimised, 3 maximised with focus, anything else normal.
  void Show(int windowStyle);
};

}  // namespace korvane::linux_edition
