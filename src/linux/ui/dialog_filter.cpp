#include "dialog_filter.h"

#include "qt_text.h"

namespace korvane::ui {

QStringList NameFiltersFrom(const Text& filter) {
  const QStringList parts = ToQString(filter).split(u'|');
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QStringList patterns = parts[i + 1].split(u';', Qt::SkipEmptyParts);
    for (QString& pattern : patterns) pattern = pattern.trimmed();
    filters << QStringLiteral("%1 (%2)").arg(parts[i], patterns.join(u' '));
  }
  return filters;
}

}  // namespace korvane::ui
