#include "app/FindingIcons.h"

#include "app/KindIcons.h"

QIcon FindingIcon(FindingSeverity severity) {
  // Loaded once, so that every row shows the same icon and no paint reads the resources again.
  static const QIcon error = ResourceIcon(QStringLiteral("finding-error"));
  static const QIcon warning = ResourceIcon(QStringLiteral("finding-warning"));
  static const QIcon note = ResourceIcon(QStringLiteral("finding-note"));
  switch (severity) {
    case FindingSeverity::Error:
      return error;
    case FindingSeverity::Warning:
      return warning;
    case FindingSeverity::Note:
      break;
  }
  return note;
}

QColor FindingTextColour(FindingSeverity severity, const QPalette& palette) {
  // The platform's own look may have a dark base; the darker tones are for the light ones.
  const bool darkBase = palette.color(QPalette::Base).lightness() < 128;
  switch (severity) {
    case FindingSeverity::Error:
      return darkBase ? QColor(255, 120, 120) : QColor(200, 0, 0);
    case FindingSeverity::Warning:
      return darkBase ? QColor(255, 196, 80) : QColor(160, 90, 0);
    case FindingSeverity::Note:
      break;
  }
  return {};
}
