#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <cstdint>

namespace orvel::bench
{

/// Makes deterministic, realistic Korean customer rows as SQL value tuples in CP949 bytes.
class CustomerRows
{
public:
    /// Reads the towns (sido|gugun|area code|dong|ri|zip|...) from the demo's area list.
    explicit CustomerRows(const QString& areaFile, std::uint64_t seed = 20080302);

    /// The column list the tuples fill, in order.
    static QByteArray columnList();
    /// Appends "(no,'UserID',...)" for customer number no.
    void appendTuple(QByteArray& out, qint64 no, const QByteArray& userId);

private:
    struct Town {
        QByteArray sido, gugun, areaCode, dong, ri, zip;
    };
    std::uint32_t next();
    std::uint32_t below(std::uint32_t n) { return next() % n; }
    const QByteArray& pick(const QList<QByteArray>& list) { return list[below(list.size())]; }
    void digits(QByteArray& out, int count);
    void zip(QByteArray& out, const Town& town);
    void address(QByteArray& out, const Town& town, bool office);
    void phone(QByteArray& out, const Town& town);

    std::uint64_t m_state;
    QList<Town> m_towns;
    QList<QByteArray> m_surnames, m_syllables, m_groups, m_apartments, m_buildings, m_companyHeads,
        m_companyTails, m_mailDomains, m_mailWords, m_comments, m_mobilePrefixes;
    QByteArray m_floor, m_block, m_flat, m_lot, m_corporation;
};

} // namespace orvel::bench
