#pragma once

#include "report/prepared/PreparedReport.h"

#include <QIODevice>
#include <QString>
#include <QStringList>
#include <memory>

namespace orvel::report
{

/// One output format for prepared pages, written to any QIODevice.
class ReportExport
{
public:
    virtual ~ReportExport() = default;
    /// The name shown in the preview's export menu.
    virtual QString name() const = 0;
    /// File name extension without the dot.
    virtual QString extension() const = 0;
    virtual bool write(const PreparedReport& report, QIODevice* device) = 0;
    QString errorString() const { return m_error; }

    /// The exporter for a file extension (case-insensitive), or nullptr.
    static std::unique_ptr<ReportExport> forExtension(const QString& extension);
    /// Extensions of every working format, in menu order.
    static QStringList extensions();

protected:
    bool writeAll(QIODevice* device, const QByteArray& bytes);
    QString m_error;
};

} // namespace orvel::report
