#pragma once

#include "report/prepared/PreparedReport.h"

#include <QIODevice>
#include <QString>
#include <QStringList>
#include <functional>
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

    /// Told the pages written so far as each page is written; answering false stops the
    /// export: write() then answers false and wasCancelled() is true.
    void setProgress(std::function<bool(int pages)> progress) { m_progress = std::move(progress); }
    bool wasCancelled() const { return m_cancelled; }

    /// The exporter for a file extension (case-insensitive), or nullptr.
    static std::unique_ptr<ReportExport> forExtension(const QString& extension);
    /// Extensions of every working format, in menu order.
    static QStringList extensions();

protected:
    bool writeAll(QIODevice* device, const QByteArray& bytes);
    /// Exporters call this before each page; false means stop (the error is set).
    bool pageStarts(int page);
    QString m_error;

private:
    std::function<bool(int)> m_progress;
    bool m_cancelled = false;
};

} // namespace orvel::report
