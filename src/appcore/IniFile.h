#pragma once

#include <QString>

namespace orvel
{

/// A Windows-style INI file in the CP949 code page, read and written key by key.
class IniFile
{
public:
    explicit IniFile(QString path) : m_path(std::move(path)) {}

    /// The value of a key; `fallback` when the file, section or key is missing or the
    /// file cannot be read.
    QString readString(const QString& section, const QString& key,
                       const QString& fallback = {}) const;
    int readInt(const QString& section, const QString& key, int fallback = 0) const;

    /// Sets a key, creating the file, section or key as needed and keeping the rest of
    /// the file. Throws std::runtime_error when the file cannot be written.
    void writeString(const QString& section, const QString& key, const QString& value);
    void writeInt(const QString& section, const QString& key, int value);

private:
    QString m_path;
};

} // namespace orvel
