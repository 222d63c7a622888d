#include "tools/CFolderListing.h"

#include <QDir>
#include <QFileInfo>
#include <QString>
#include <filesystem>

namespace {

QString Local(const std::string& text) {
    return QString::fromLocal8Bit(text);
}

bool SameIgnoringCase(const std::string& left, const std::string& right) {
    return Local(left).compare(Local(right), Qt::CaseInsensitive) == 0;
}

}  // namespace

bool CFolderListing::Read(const std::string& folder) {
    m_strFolder = folder;
    m_Files.clear();
    const QDir dir(Local(folder));
    if (!QFileInfo(dir.path()).isDir() || !dir.isReadable()) {
        return false;
    }
    // Regular files only (links to them included): pipes and devices are no prefab files.
    const QStringList names = dir.entryList(QDir::Files | QDir::Hidden, QDir::Name);
    for (const QString& name : names) {
        m_Files.push_back(name.toLocal8Bit().toStdString());
    }
    return true;
}

std::optional<std::string> CFolderListing::Find(const std::string& name) const {
    std::optional<std::string> found;
    for (const std::string& file : m_Files) {
        if (file == name) {
            return file;
        }
        if (!found && SameIgnoringCase(file, name)) {
            found = file;
        }
    }
    return found;
}

std::vector<std::string> CFolderListing::WithExtension(const std::string& extension) const {
    std::vector<std::string> names;
    for (const std::string& file : m_Files) {
        if (file.size() >= extension.size() &&
            SameIgnoringCase(file.substr(file.size() - extension.size()), extension)) {
            names.push_back(file);
        }
    }
    return names;
}

std::string CFolderListing::PathOf(const std::string& name) const {
    return (std::filesystem::path(m_strFolder) / name).string();
}
