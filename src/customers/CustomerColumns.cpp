#include "customers/CustomerColumns.h"

#include <QHash>
#include <cmath>

namespace orvel
{

namespace
{

const CustomerColumn kColumns[] = {
    {"no", "관리번호", 50, true, true},
    {"DM_Check", "DM", 30, true, false},
    {"r_count", "중복수", 0, true, false},
    {"group_name", "그룹명", 100, false, false},
    {"name", "이름", 180, false, false},
    {"home_address", "집 주소", 400, false, false},
    {"home_post", "우편번호", 55, true, false},
    {"home_tel", "집 전화", 80, false, false},
    {"handphone", "휴대폰", 80, false, false},
    {"jumin", "주민등록", 100, true, false},
    {"email", "메일", 100, false, false},
    {"homepage", "홈페이지", 200, false, false},
    {"Office_Name", "직장명", 180, false, false},
    {"office_post", "우편번호", 80, true, false},
    {"office_address", "직장 주소", 400, false, false},
    {"office_tel", "직장전화", 80, false, false},
    {"office_fax", "직장팩스", 80, false, false},
    {"Member_Comment", "기타(특이 사항)", 300, false, false},
};

} // namespace

const CustomerColumn* findCustomerColumn(const QString& field)
{
    static const QHash<QString, const CustomerColumn*> byName = [] {
        QHash<QString, const CustomerColumn*> h;
        for (const CustomerColumn& c : kColumns)
            h.insert(QString::fromLatin1(c.field), &c);
        return h;
    }();
    return byName.value(field, nullptr);
}

QString formatThousands(qint64 value)
{
    const bool negative = value < 0;
    // Work on the magnitude as unsigned so the smallest 64-bit value does not overflow.
    quint64 magnitude = negative ? quint64(0) - quint64(value) : quint64(value);
    QString digits = QString::number(magnitude);
    for (qsizetype i = digits.size() - 3; i > 0; i -= 3)
        digits.insert(i, QLatin1Char(','));
    return negative ? QLatin1Char('-') + digits : digits;
}

QString formatThousands(double value)
{
    if (!std::isfinite(value))
        return QString::number(value);
    const double rounded = std::round(value);
    if (std::fabs(rounded) < 9.2e18)
        return formatThousands(qint64(rounded));
    return QString::number(rounded, 'f', 0);
}

} // namespace orvel
