#pragma once
// The open-file dialog's filter, from the platform's "description|pattern"
// pairs to Qt's name filters.

#include <QStringList>

#include "platform/text.h"

namespace korvane::ui {

// "数据库后端文件|*.mdb" gives "数据库后端文件 (*.mdb)". Several pairs give
// several filters; a pattern list such as "*.mdb;*.mde" becomes
// "*.mdb *.mde". A description without its pattern is dropped.
QStringList NameFiltersFrom(const Text& filter);

}  // namespace korvane::ui
