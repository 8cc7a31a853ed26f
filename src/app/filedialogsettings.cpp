// Turns a file dialog's settings, written the Windows way, into what QFileDialog takes.
#include "filedialogsettings.h"

#include "qttext.h"

namespace zorvane {

QStringList qtNameFilters(std::string_view filter)
{
    const QStringList parts = qtText(filter).split(u'|');
    QStringList filters;
    for (qsizetype index = 0; index + 1 < parts.size(); index += 2) {
        const QString& description = parts[index];
        const QString patterns = parts[index + 1].split(u';', Qt::SkipEmptyParts).join(u' ');
        filters.append(description.isEmpty() ? patterns
                                             : QStringLiteral("%1 (%2)").arg(description, patterns));
    }
    return filters;
}

QString qtDefaultSuffix(std::string_view extensionPattern)
{
    QString suffix = qtText(extensionPattern);
    if (suffix.startsWith(u'*')) {
        suffix.remove(0, 1);
    }
    if (suffix.startsWith(u'.')) {
        suffix.remove(0, 1);
    }
    return suffix;
}

}  // namespace zorvane
