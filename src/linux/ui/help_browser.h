#pragma once
// The help viewer's window: a browser over the pages inside one help file,
// whose links and pictures are read from that file.

#include <QTextBrowser>

#include "chm_archive.h"

namespace korvane::ui {

// The address of a file inside the open help file: "chm:/index.html".
QUrl HelpFileUrl(const std::string& objectPath);

class HelpBrowser : public QTextBrowser {
 public:
  // A top-level window owned by `owner` (on top of it, closed with it),
  // reading from `archive`.
  HelpBrowser(ChmArchive archive, QWidget* owner);

  // Shows the help file's default topic.
  void ShowDefaultTopic();

  QVariant loadResource(int type, const QUrl& name) override;

 private:
  ChmArchive archive_;
};

}  // namespace korvane::ui
