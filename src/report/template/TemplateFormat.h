#pragma once

#include "report/model/ReportModel.h"

#include <QIODevice>
#include <QString>
#include <memory>

namespace orvel::report
{

/// Reads and writes report templates (.fr3 XML). Reading is lenient about number formats,
/// text encodings, junk around the document and band order; what it does not understand is
/// kept for writing back. Writing always gives UTF-8.
class TemplateFormat
{
public:
    static constexpr qint64 MaxFileSize = 64 * 1024 * 1024;

    /// Returns the template, or nullptr with errorString() set.
    std::unique_ptr<ReportTemplate> read(QIODevice* device);
    std::unique_ptr<ReportTemplate> readFile(const QString& path);
    std::unique_ptr<ReportTemplate> readBytes(const QByteArray& bytes);

    bool write(const ReportTemplate& report, QIODevice* device);
    bool writeFile(const ReportTemplate& report, const QString& path);
    static QByteArray toBytes(const ReportTemplate& report);

    /// One object as its template element, and back (the designer's clipboard uses them).
    static XmlNode objectToNode(const ReportObject& object);
    /// The object an element describes; false for elements that are no known object or
    /// whose attributes are damaged.
    static bool objectFromNode(const XmlNode& node, ReportObject* object);

    /// A band element, known kind or kept linked band (those get Band::Other); false for
    /// elements that are no band or whose attributes are damaged.
    static bool bandFromNode(const XmlNode& node, Band* band);
    /// A kept TfrxSubreport element; false for other elements.
    static bool subreportFromNode(const XmlNode& node, SubreportRef* subreport);

    QString errorString() const { return m_error; }

private:
    QString m_error;
};

/// Parses a template number: decimal point or comma, finite, within a sane range.
bool parseTemplateNumber(const QString& text, double* value);

} // namespace orvel::report
