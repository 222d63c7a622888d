#pragma once

#include <QByteArray>
#include <QIcon>
#include <QString>
#include <map>
#include <optional>

#include "dialogs/framework/DialogTemplate.h"

// The editor's resources as built into the program: dialog templates, the string table, the
// icons and the other named ids, read from the embedded dialogs.json.
class CResourceTable {
public:
    // The program's own table, read on first use.
    static const CResourceTable& Instance();

    // Reads a table from JSON text; an unreadable text gives an empty table and sets error.
    static CResourceTable FromJson(const QByteArray& json, QString* pError = nullptr);

    // Null when there is no template of that number.
    const DialogTemplate* Dialog(int nId) const;
    // Empty when the string table has no such entry.
    QString String(int nId) const;
    // Every image of the icon; a null icon when there is none.
    QIcon Icon(int nId) const;
    QIcon Icon(const QString& name) const;
    // The number of a named template, string, icon, control or other id.
    std::optional<int> IdOf(const QString& name) const;

private:
    std::map<int, DialogTemplate> m_Dialogs;
    std::map<int, QString> m_Strings;
    std::map<int, QStringList> m_IconImages;
    std::map<QString, int> m_Ids;
};
