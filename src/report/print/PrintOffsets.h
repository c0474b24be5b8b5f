#pragma once

#include <QString>

namespace orvel::report
{

/// How far a printer's output lands from where it should, in mm: positive moves the print
/// right and down on the paper.
struct PrintOffset {
    double xMm = 0;
    double yMm = 0;
    bool isNull() const { return xMm == 0 && yMm == 0; }
    bool operator==(const PrintOffset&) const = default;
};

/// The printers' offsets, kept per printer name in a UTF-8 settings file beside the
/// program's settings (printer names are any Unicode text, which the CP949 settings file
/// cannot hold).
class PrintOffsets
{
public:
    /// An empty path means defaultPath().
    explicit PrintOffsets(QString path = {});

    /// The offset of a printer; zero for one never set (or an unreadable file).
    PrintOffset offset(const QString& printer) const;
    /// Stores a printer's offset (zero removes it). Throws ReportError when the file
    /// cannot be written.
    void setOffset(const QString& printer, PrintOffset offset);

    QString path() const { return m_path; }
    /// OrvelPrinters.ini in the program folder ($ORVEL_PROGRAM_DIR or the executable's).
    static QString defaultPath();

    /// The adjustment the offsets take: at most this many mm either way.
    static constexpr double Limit = 50.0;

private:
    QString m_path;
};

} // namespace orvel::report
