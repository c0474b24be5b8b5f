#pragma once

#include "report/prepared/PreparedReport.h"

#include <QIODevice>
#include <QString>

namespace orvel::report
{

/// Reads and writes prepared pages (.fp3): our own XML, compressed with zlib.
class PreparedFormat
{
public:
    static constexpr qint64 MaxFileSize = 256 * 1024 * 1024;
    static constexpr qint64 MaxUncompressedSize = 1024 * 1024 * 1024;

    bool write(const PreparedReport& report, QIODevice* device);
    bool writeFile(const PreparedReport& report, const QString& path);
    /// Replaces report with the file's pages; false with errorString() set.
    bool read(QIODevice* device, PreparedReport* report);
    bool readFile(const QString& path, PreparedReport* report);

    static QByteArray toXml(const PreparedReport& report);
    bool fromXml(const QByteArray& xml, PreparedReport* report);

    QString errorString() const { return m_error; }

private:
    QString m_error;
};

} // namespace orvel::report
