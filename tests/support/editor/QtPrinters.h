#pragma once

#include <QString>
#include <QStringList>
#include <ostream>

// Readable Qt texts in test failure messages.
inline void PrintTo(const QString& text, std::ostream* pOut) {
    *pOut << '"' << text.toStdString() << '"';
}

inline void PrintTo(const QStringList& texts, std::ostream* pOut) {
    *pOut << '{' << texts.join(QStringLiteral(", ")).toStdString() << '}';
}
