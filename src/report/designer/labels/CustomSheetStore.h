#pragma once

#include "report/designer/labels/LabelSheet.h"

#include <QString>
#include <vector>

namespace orvel::report::labels
{

/// The label sheets an office entered itself, kept by name in a small UTF-8 XML file.
class CustomSheetStore
{
public:
    explicit CustomSheetStore(QString path) : m_path(std::move(path)) {}

    QString path() const { return m_path; }
    /// The saved sheets sorted by name; a missing file holds none and is no error. Entries
    /// that cannot be read are skipped.
    std::vector<LabelSheet> load();
    /// Saves the sheet under its name (part), replacing a sheet of that name.
    bool save(const LabelSheet& sheet);
    bool remove(const QString& name);
    /// Korean message of the last failure; empty after a success.
    QString errorString() const { return m_error; }

private:
    bool readAll(std::vector<LabelSheet>* sheets);
    bool writeAll(const std::vector<LabelSheet>& sheets);

    QString m_path;
    QString m_error;
};

} // namespace orvel::report::labels
