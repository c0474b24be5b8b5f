#include "admin/Profiles.h"

#include "data/TMainDB.h"

namespace orvel
{

const QList<ProfileLabel>& profileLabels()
{
    static const QList<ProfileLabel> labels = {
        {QStringLiteral("사용자"), QStringLiteral("UserID")},
        {QStringLiteral("DM"), QStringLiteral("DM_Check")},
        {QStringLiteral("그룹명"), QStringLiteral("group_name")},
        {QStringLiteral("이름"), QStringLiteral("name")},
        {QStringLiteral("메일"), QStringLiteral("email")},
        {QStringLiteral("홈페이지"), QStringLiteral("homepage")},
        {QStringLiteral("주민등록"), QStringLiteral("jumin")},
        {QStringLiteral("우편번호"), QStringLiteral("home_post")},
        {QStringLiteral("주소"), QStringLiteral("home_address")},
        {QStringLiteral("전화번호"), QStringLiteral("home_tel")},
        {QStringLiteral("직장명"), QStringLiteral("Office_Name")},
        {QStringLiteral("직장우편번호"), QStringLiteral("office_post")},
        {QStringLiteral("직장주소"), QStringLiteral("office_address")},
        {QStringLiteral("직장전화"), QStringLiteral("office_tel")},
        {QStringLiteral("직장팩스"), QStringLiteral("office_fax")},
        {QStringLiteral("휴대폰"), QStringLiteral("handphone")},
        {QStringLiteral("기타"), QStringLiteral("Member_Comment")},
    };
    return labels;
}

QString profileColumn(const QString& label)
{
    for (const ProfileLabel& row : profileLabels()) {
        if (row.label == label)
            return row.column;
    }
    return {};
}

QStringList SplitStr(const QString& text, const QString& separator)
{
    if (separator.isEmpty())
        return {text};
    QStringList pieces;
    qsizetype start = 0;
    for (;;) {
        const qsizetype at = text.indexOf(separator, start);
        if (at < 0)
            break;
        pieces.append(text.mid(start, at - start));
        start = at + separator.size();
    }
    pieces.append(text.mid(start));
    return pieces;
}

ProfileTexts composeProfile(const QStringList& entries)
{
    ProfileTexts t{QString(), QStringLiteral("no")};
    for (const QString& entry : entries) {
        if (t.varName.isEmpty())
            t.varName = entry;
        else
            t.varName += QLatin1Char('|') + entry;
        const QString column = profileColumn(entry);
        if (!column.isEmpty())
            t.varValues += QLatin1Char(',') + column;
    }
    return t;
}

void Run_Save(TMainDB& db, const QString& levelName, const QString& varName,
              const QString& varValues)
{
    Query& q = db.STemp_Data;
    q.clearSql();
    q.addLine(QStringLiteral("select Level_Name from RunLevel"));
    q.addLine(QStringLiteral("where Level_Name = :a1"));
    q.setParam(QStringLiteral("a1"), levelName);
    q.open();
    const bool exists = q.rowCount() > 0;

    q.clearSql();
    if (!exists) {
        q.addLine(QStringLiteral("insert into RunLevel (Level_Name, Var_Name, Var_Values)"));
        q.addLine(QStringLiteral("values (:a1, :a2, :a3)"));
        q.setParam(QStringLiteral("a1"), levelName);
        q.setParam(QStringLiteral("a2"), varName);
        q.setParam(QStringLiteral("a3"), varValues);
    } else {
        q.addLine(QStringLiteral("update RunLevel set Var_Name = :a1, Var_Values = :a2"));
        q.addLine(QStringLiteral("where Level_Name = :f1"));
        q.setParam(QStringLiteral("a1"), varName);
        q.setParam(QStringLiteral("a2"), varValues);
        q.setParam(QStringLiteral("f1"), levelName);
    }
    q.exec();
}

} // namespace orvel
