#include "report/designer/DesignerTexts.h"

namespace orvel::report
{

QString bandKindName(Band::Type type)
{
    switch (type) {
    case Band::ReportTitle:
        return QStringLiteral("보고서 제목");
    case Band::PageHeader:
        return QStringLiteral("페이지 머리글");
    case Band::ColumnHeader:
        return QStringLiteral("열 머리글");
    case Band::GroupHeader:
        return QStringLiteral("그룹 머리글");
    case Band::MasterData:
        return QStringLiteral("마스터 데이터");
    case Band::GroupFooter:
        return QStringLiteral("그룹 바닥글");
    case Band::ColumnFooter:
        return QStringLiteral("열 바닥글");
    case Band::ReportSummary:
        return QStringLiteral("보고서 요약");
    case Band::PageFooter:
        return QStringLiteral("페이지 바닥글");
    case Band::Other:
        break;
    }
    return QStringLiteral("밴드");
}

QString objectKindName(ReportObject::Type type)
{
    switch (type) {
    case ReportObject::Memo:
        return QStringLiteral("텍스트");
    case ReportObject::SysMemo:
        return QStringLiteral("시스템 텍스트");
    case ReportObject::Line:
        return QStringLiteral("선");
    case ReportObject::Shape:
        return QStringLiteral("도형");
    case ReportObject::Picture:
        return QStringLiteral("그림");
    }
    return QStringLiteral("개체");
}

} // namespace orvel::report
