#pragma once
// The launcher's text and Qt's share one encoding (UTF-16), so crossing
// between them is a copy, never a conversion that could lose a character.

#include <QString>

#include "platform/text.h"

namespace korvane::ui {

inline QString ToQString(TextView text) {
  return QString(reinterpret_cast<const QChar*>(text.data()), static_cast<qsizetype>(text.size()));
}

inline Text FromQString(const QString& text) {
  return text.toStdU16String();
}

}  // namespace korvane::ui
