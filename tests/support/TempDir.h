#pragma once

#include <QDir>
#include <QTemporaryDir>
#include <filesystem>
#include <string>

// A temporary folder removed with the test; paths as the core library takes them.
class TempDir
{
public:
    std::filesystem::path Path() const { return m_dir.path().toStdString(); }
    std::filesystem::path File(const std::string& name) const { return Path() / name; }
    QString QPath(const QString& name = {}) const
    {
        return name.isEmpty() ? m_dir.path() : QDir(m_dir.path()).filePath(name);
    }

private:
    QTemporaryDir m_dir;
};
