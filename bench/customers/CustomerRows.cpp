#include "CustomerRows.h"

#include "data/Cp949.h"

#include <QFile>
#include <stdexcept>

namespace orvel::bench
{

namespace
{

// Words are written in UTF-8 here and converted to CP949 once; none contains a quote or
// a backslash, and CP949 never uses either as a trail byte, so the tuples need no escaping.
QList<QByteArray> encodeWords(const char* spaceSeparated)
{
    QList<QByteArray> out;
    const QStringList words =
        QString::fromUtf8(spaceSeparated).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    for (const QString& w : words)
        out.append(cp949::encode(QString(w).replace(QLatin1Char('_'), QLatin1Char(' '))));
    return out;
}

} // namespace

CustomerRows::CustomerRows(const QString& areaFile, std::uint64_t seed) : m_state(seed)
{
    QFile file(areaFile);
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error("cannot read " + areaFile.toStdString());
    while (!file.atEnd()) {
        const QList<QByteArray> f = file.readLine().trimmed().split('|');
        if (f.size() < 6)
            continue;
        auto enc = [](const QByteArray& utf8) { return cp949::encode(QString::fromUtf8(utf8)); };
        m_towns.append({enc(f[0]), enc(f[1]), f[2], enc(f[3]), enc(f[4]), f[5]});
    }
    if (m_towns.isEmpty())
        throw std::runtime_error("no towns in " + areaFile.toStdString());

    // Surnames repeat by rough frequency; two-syllable surnames are rare.
    m_surnames = encodeWords("김 김 김 김 김 이 이 이 이 박 박 박 최 최 정 정 강 조 윤 장 임 한 오 "
                             "서 신 권 황 안 송 류 전 홍 고 문 양 손 배 백 허 유 남 심 노 하 곽 성 "
                             "차 주 우 구 민 진 나 지 엄 채 원 천 방 공 현 남궁 황보 제갈 선우");
    m_syllables = encodeWords("민 서 지 현 수 영 준 우 진 호 성 은 혜 정 희 경 재 동 상 철 미 숙 "
                              "순 자 옥 연 훈 석 태 혁 윤 아 하 나 다 예 유 주 도 건 한 용 광 기 "
                              "명 선 화 란 승 원 종 형 규 범 찬 빈 결 솔 별 슬 림");
    m_groups = encodeWords("가족 친구 직장동료 거래처 동창회 교회 VIP고객 일반고객 협력업체 동호회 "
                           "이웃 신규고객 산악회 학부모회");
    m_apartments =
        encodeWords("현대아파트 삼성래미안아파트 한신아파트 주공아파트 롯데캐슬 푸르지오 아이파크 "
                    "자이아파트 대림아파트 우성아파트 벽산아파트 쌍용아파트 한양아파트");
    m_buildings = encodeWords("제일빌딩 대우빌딩 한국빌딩 중앙빌딩 동양빌딩 신한빌딩 "
                              "파이낸스센터 무역센터 타워빌딩 상공회의소 벤처타운");
    m_companyHeads = encodeWords("한빛 대한 삼정 우리 동양 세종 미래 하나 새한 태평양 금강 한라 "
                                 "청솔 푸른 대성 신일 영진 고려 조선 아세아");
    m_companyTails = encodeWords("상사 물산 전자 건설 무역 산업 통상 정밀 식품 약품 세무회계 "
                                 "법무법인 디자인 인쇄 유통 엔지니어링 의원 약국 학원");
    m_mailDomains = encodeWords("naver.com hanmail.net daum.net gmail.com nate.com korea.com "
                                "hotmail.com empal.com paran.com chol.com");
    m_mailWords = encodeWords("kim lee park choi jung kang cho yoon jang lim han sun moon star sky "
                              "blue green happy love hope dream smile angel tiger lion");
    m_comments =
        encodeWords("연말_선물_발송_대상 2007년_세미나_참석 주소_변경_확인_필요 자녀_결혼_예정 "
                    "카탈로그_우편_발송 전화보다_문자_선호 분기별_방문_고객 명절_인사_발송 "
                    "소개로_가입(김부장_소개) 반송_우편물_있음,_주소_확인 오전에만_통화_가능 "
                    "신제품_안내_희망 회비_미납_2회 장기_해외_출장_중 사무실_이전_예정");
    m_mobilePrefixes = encodeWords("010 010 010 010 011 016 017 019");
    m_floor = cp949::encode(QStringLiteral("층"));
    m_block = cp949::encode(QStringLiteral("동 "));
    m_flat = cp949::encode(QStringLiteral("호"));
    m_lot = cp949::encode(QStringLiteral("번지"));
    m_corporation = cp949::encode(QStringLiteral("(주)"));
}

std::uint32_t CustomerRows::next()
{
    // splitmix64: small, fast and the same on every platform.
    std::uint64_t z = (m_state += 0x9e3779b97f4a7c15ULL);
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
    return std::uint32_t((z ^ (z >> 31)) >> 32);
}

QByteArray CustomerRows::columnList()
{
    return "no,UserID,group_name,name,email,homepage,jumin,home_post,home_address,home_tel,"
           "Office_Name,office_post,office_address,office_tel,office_fax,handphone,"
           "Member_Comment,DM_Check";
}

void CustomerRows::digits(QByteArray& out, int count)
{
    for (int i = 0; i < count; ++i)
        out += char('0' + below(10));
}

void CustomerRows::zip(QByteArray& out, const Town& town)
{
    // The town's zip with a nearby last digit: "135-080" .. "135-089".
    out += town.zip.left(6);
    out += char('0' + below(10));
}

void CustomerRows::address(QByteArray& out, const Town& town, bool office)
{
    out += town.sido + ' ' + town.gugun + ' ' + town.dong;
    if (!town.ri.isEmpty())
        out += ' ' + town.ri;
    const std::uint32_t kind = below(office ? 2 : 3);
    if (office && kind == 0) {
        out += ' ' + pick(m_buildings) + ' ' + QByteArray::number(2 + below(18)) + m_floor;
    } else if (!office && kind == 0) {
        out += ' ' + pick(m_apartments) + ' ' + QByteArray::number(101 + below(12)) + m_block +
               QByteArray::number(1 + below(15)) + '0' + QByteArray::number(1 + below(4)) + m_flat;
    } else {
        out += ' ' + QByteArray::number(1 + below(900));
        if (below(3) == 0)
            out += '-' + QByteArray::number(1 + below(30));
        out += m_lot;
    }
}

void CustomerRows::phone(QByteArray& out, const Town& town)
{
    out += town.areaCode + '-';
    out += char('2' + below(8));
    digits(out, town.areaCode == "02" ? 3 : 2);
    out += '-';
    digits(out, 4);
}

void CustomerRows::appendTuple(QByteArray& out, qint64 no, const QByteArray& userId)
{
    const Town& home = m_towns[below(m_towns.size())];
    out += '(' + QByteArray::number(no) + ",'" + userId + "','";
    out += pick(m_groups);
    out += "','";
    out += pick(m_surnames);
    for (std::uint32_t i = 0, n = below(10) == 0 ? 1 : 2; i < n; ++i)
        out += pick(m_syllables);
    out += "','";
    if (below(5) != 0) {
        out += pick(m_mailWords);
        digits(out, 1 + below(4));
        out += '@' + pick(m_mailDomains);
    }
    out += "','";
    if (below(10) == 0)
        out += "http://www." + pick(m_mailWords) + QByteArray::number(below(100)) + ".co.kr";
    out += "','";
    if (below(10) < 7) {
        const std::uint32_t year = 40 + below(60);
        out += QByteArray::number(year) + QByteArray::number(101 + below(12)).right(2) +
               QByteArray::number(101 + below(28)).right(2) + '-' + char('1' + below(2));
        digits(out, 6);
    }
    out += "','";
    zip(out, home);
    out += "','";
    address(out, home, false);
    out += "','";
    if (below(4) != 0)
        phone(out, home);
    out += "','";
    if (below(5) < 2) {
        const Town& work = m_towns[below(m_towns.size())];
        if (below(3) == 0)
            out += m_corporation;
        out += pick(m_companyHeads) + pick(m_companyTails);
        out += "','";
        zip(out, work);
        out += "','";
        address(out, work, true);
        out += "','";
        phone(out, work);
        out += "','";
        if (below(2) == 0)
            phone(out, work);
    } else {
        out += "','','','','";
    }
    out += "','";
    out += pick(m_mobilePrefixes) + '-';
    digits(out, 4);
    out += '-';
    digits(out, 4);
    out += "','";
    if (below(2) == 0)
        out += pick(m_comments);
    out += "',";
    out += below(10) == 0 ? '0' : '1';
    out += ')';
}

} // namespace orvel::bench
