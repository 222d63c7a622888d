#include "platform/qt/FileDialogFilter.h"

#include <QString>

QStringList FileDialogFilter::ToNameFilters(const std::string& filter) {
    const QStringList entries = QString::fromLocal8Bit(filter).split(u'|');
    QStringList nameFilters;
    // Pairs until the empty entry; a description without a pattern is dropped.
    for (qsizetype i = 0; i + 1 < entries.size() && !entries[i].isEmpty(); i += 2) {
        const QString& description = entries[i];
        const QString patterns = entries[i + 1].split(u';', Qt::SkipEmptyParts).join(u' ');
        if (patterns.isEmpty()) {
            continue;
        }
        // Qt takes the patterns from the parentheses at the end of the filter's text.
        const QString suffix = QStringLiteral("(%1)").arg(patterns);
        nameFilters.append(description.endsWith(suffix)
                               ? description
                               : QStringLiteral("%1 %2").arg(description, suffix));
    }
    return nameFilters;
}
