#pragma once

// Column profiles: the label table, the text helpers and the write of one RunLevel row.

#include <QList>
#include <QString>
#include <QStringList>

namespace orvel
{

class TMainDB;

/// One row of the label table: what the user picks and the customer column behind it.
struct ProfileLabel {
    QString label;
    QString column;
};

/// The fixed label table, 17 rows in display order.
const QList<ProfileLabel>& profileLabels();
/// The column of the first equal label; empty when the label is unknown.
QString profileColumn(const QString& label);

/// The pieces of `text` between occurrences of `separator`, always followed by the piece
/// after the last one: a trailing separator gives a last empty piece and an empty text
/// one empty piece. An empty separator gives the whole text as the one piece.
QStringList SplitStr(const QString& text, const QString& separator);

/// The two texts a profile is stored as.
struct ProfileTexts {
    QString varName;   // labels joined with "|"
    QString varValues; // "no" and ",column" for each known label
};

/// Builds a profile's texts from the output list's entries, in order. A label becomes
/// the text when the text is still empty, otherwise it is appended after "|"; unknown
/// labels and empty entries add nothing to the column text.
ProfileTexts composeProfile(const QStringList& entries);

/// Writes one profile on the member directory: updates the row of the level name, or
/// inserts one when there is none. Database failures are passed on (DbError).
void Run_Save(TMainDB& db, const QString& levelName, const QString& varName,
              const QString& varValues);

} // namespace orvel
