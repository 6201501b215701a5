#include "common/qt/file_dialog_filters.h"

#include "common/qt/qt_text.h"

namespace km {

QStringList NameFiltersFrom(std::string_view filter) {
  const QStringList parts = FromCp1252(filter).split('|');
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QString name = parts[i].trimmed();
    if (name.isEmpty()) break;
    QStringList patterns;
    for (const QString& p : parts[i + 1].split(';', Qt::SkipEmptyParts)) patterns << p.trimmed();
    // The name's own "(*.raw,*.r*)" would be read as patterns; Qt gets the real ones.
    const qsizetype paren = name.lastIndexOf('(');
    if (paren > 0) name = name.left(paren).trimmed();
    filters << QStringLiteral("%1 (%2)").arg(name, patterns.join(' '));
  }
  return filters;
}

}  // namespace km
