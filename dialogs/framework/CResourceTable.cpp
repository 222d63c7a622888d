#include "dialogs/framework/CResourceTable.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPixmap>

#include "KvlVersion.h"

namespace {

// Reads the parts of the JSON text, noting the first thing that is missing or of the wrong
// kind; later reads after a failure are harmless and give defaults.
class CJsonReader {
public:
    QString Text(const QJsonObject& object, const char* pszKey, const QString& where) {
        const QJsonValue value = object.value(QLatin1String(pszKey));
        if (!value.isString()) {
            Fail(where, pszKey);
        }
        return value.toString();
    }

    int Number(const QJsonObject& object, const char* pszKey, const QString& where) {
        const QJsonValue value = object.value(QLatin1String(pszKey));
        if (!value.isDouble() || value.toDouble() != value.toInt()) {
            Fail(where, pszKey);
        }
        return value.toInt();
    }

    QStringList TextList(const QJsonObject& object, const char* pszKey, const QString& where,
                         bool bOptional = false) {
        const QJsonValue value = object.value(QLatin1String(pszKey));
        QStringList texts;
        if (bOptional && value.isUndefined()) {
            return texts;
        }
        if (!value.isArray()) {
            Fail(where, pszKey);
        }
        for (const QJsonValue& item : value.toArray()) {
            if (!item.isString()) {
                Fail(where, pszKey);
            }
            texts.append(item.toString());
        }
        return texts;
    }

    QRect Rect(const QJsonObject& object, const QString& where) {
        const QJsonArray values = object.value(QLatin1String("rect")).toArray();
        int parts[4] = {0, 0, 0, 0};
        if (values.size() != 4) {
            Fail(where, "rect");
        }
        for (int i = 0; i < 4 && i < values.size(); ++i) {
            if (!values[i].isDouble() || values[i].toDouble() != values[i].toInt()) {
                Fail(where, "rect");
            }
            parts[i] = values[i].toInt();
        }
        return QRect(parts[0], parts[1], parts[2], parts[3]);
    }

    QJsonArray Array(const QJsonObject& object, const char* pszKey, const QString& where) {
        const QJsonValue value = object.value(QLatin1String(pszKey));
        if (!value.isArray()) {
            Fail(where, pszKey);
        }
        return value.toArray();
    }

    void Fail(const QString& where, const char* pszKey) {
        if (m_strError.isEmpty()) {
            m_strError =
                QStringLiteral("%1: missing or malformed \"%2\"").arg(where, QLatin1String(pszKey));
        }
    }

    const QString& Error() const { return m_strError; }

private:
    QString m_strError;
};

DialogControl ReadControl(CJsonReader& reader, const QJsonObject& object, const QString& where) {
    DialogControl control;
    control.m_strName = reader.Text(object, "name", where);
    control.m_nId = reader.Number(object, "id", where);
    control.m_strKind = reader.Text(object, "kind", where);
    control.m_Styles = reader.TextList(object, "styles", where);
    control.m_strText = reader.Text(object, "text", where);
    if (object.contains(QLatin1String("image"))) {
        control.m_strImage = reader.Text(object, "image", where);
    }
    control.m_Rect = reader.Rect(object, where);
    return control;
}

DialogTemplate ReadDialog(CJsonReader& reader, const QJsonObject& object) {
    DialogTemplate dialog;
    dialog.m_strName = reader.Text(object, "name", QStringLiteral("dialog"));
    const QString& where = dialog.m_strName;
    dialog.m_nId = reader.Number(object, "id", where);
    dialog.m_Rect = reader.Rect(object, where);
    dialog.m_strCaption = reader.Text(object, "caption", where);
    const QJsonObject font = object.value(QLatin1String("font")).toObject();
    dialog.m_strFontFace = reader.Text(font, "face", where + QStringLiteral(" font"));
    dialog.m_nFontPoints = reader.Number(font, "points", where + QStringLiteral(" font"));
    dialog.m_Styles = reader.TextList(object, "styles", where);
    dialog.m_ExtendedStyles = reader.TextList(object, "extendedStyles", where, true);
    const QJsonArray controls = reader.Array(object, "controls", where);
    for (qsizetype i = 0; i < controls.size(); ++i) {
        dialog.m_Controls.push_back(ReadControl(reader, controls[i].toObject(),
                                                QStringLiteral("%1 control %2").arg(where).arg(i)));
    }
    return dialog;
}

}  // namespace

const CResourceTable& CResourceTable::Instance() {
    static const CResourceTable table = [] {
        QFile file(QStringLiteral(":/res/dialogs.json"));
        if (!file.open(QIODevice::ReadOnly)) {
            qWarning("The embedded dialog resources are missing");
            return CResourceTable();
        }
        // The About box names the version the build was made from, not a copy kept in the JSON.
        QByteArray json = file.readAll();
        json.replace("%VERSION%", KVL_VERSION_MAJOR_MINOR);
        QString error;
        CResourceTable read = FromJson(json, &error);
        if (!error.isEmpty()) {
            qWarning("The embedded dialog resources are unreadable: %s", qPrintable(error));
        }
        return read;
    }();
    return table;
}

CResourceTable CResourceTable::FromJson(const QByteArray& json, QString* pError) {
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(json, &parseError);
    CJsonReader reader;
    if (!document.isObject()) {
        reader.Fail(QStringLiteral("resources"), "document");
    }
    const QJsonObject root = document.object();

    CResourceTable table;
    auto name = [&](const QString& strName, int nId) { table.m_Ids[strName] = nId; };
    for (const QJsonValue& value : reader.Array(root, "dialogs", QStringLiteral("resources"))) {
        DialogTemplate dialog = ReadDialog(reader, value.toObject());
        name(dialog.m_strName, dialog.m_nId);
        for (const DialogControl& control : dialog.m_Controls) {
            name(control.m_strName, control.m_nId);
        }
        table.m_Dialogs[dialog.m_nId] = std::move(dialog);
    }
    for (const QJsonValue& value : reader.Array(root, "strings", QStringLiteral("resources"))) {
        const QJsonObject entry = value.toObject();
        const int nId = reader.Number(entry, "id", QStringLiteral("string"));
        table.m_Strings[nId] = reader.Text(entry, "text", QStringLiteral("string"));
        name(reader.Text(entry, "name", QStringLiteral("string")), nId);
    }
    for (const QJsonValue& value : reader.Array(root, "icons", QStringLiteral("resources"))) {
        const QJsonObject entry = value.toObject();
        const int nId = reader.Number(entry, "id", QStringLiteral("icon"));
        table.m_IconImages[nId] = reader.TextList(entry, "images", QStringLiteral("icon"));
        name(reader.Text(entry, "name", QStringLiteral("icon")), nId);
    }
    const QJsonObject ids = root.value(QLatin1String("ids")).toObject();
    for (auto it = ids.begin(); it != ids.end(); ++it) {
        if (!it.value().isDouble()) {
            reader.Fail(QStringLiteral("ids"), qPrintable(it.key()));
        }
        name(it.key(), it.value().toInt());
    }

    if (pError != nullptr) {
        *pError = reader.Error();
    }
    return reader.Error().isEmpty() ? table : CResourceTable();
}

const DialogTemplate* CResourceTable::Dialog(int nId) const {
    const auto it = m_Dialogs.find(nId);
    return it == m_Dialogs.end() ? nullptr : &it->second;
}

QString CResourceTable::String(int nId) const {
    const auto it = m_Strings.find(nId);
    return it == m_Strings.end() ? QString() : it->second;
}

QIcon CResourceTable::Icon(int nId) const {
    QIcon icon;
    const auto it = m_IconImages.find(nId);
    if (it != m_IconImages.end()) {
        for (const QString& image : it->second) {
            icon.addPixmap(QPixmap(image));
        }
    }
    return icon;
}

QIcon CResourceTable::Icon(const QString& name) const {
    const std::optional<int> nId = IdOf(name);
    return nId ? Icon(*nId) : QIcon();
}

std::optional<int> CResourceTable::IdOf(const QString& name) const {
    const auto it = m_Ids.find(name);
    if (it == m_Ids.end()) {
        return std::nullopt;
    }
    return it->second;
}
