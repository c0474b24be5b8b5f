#include "customers/GridStyle.h"

namespace orvel::gridstyle
{

QFont cellFont()
{
    QFont f;
    f.setFamilies({QStringLiteral("돋움체"), QStringLiteral("DotumChe"),
                   QStringLiteral("NanumGothicCoding"), QStringLiteral("NanumGothic")});
    f.setPixelSize(13);
    return f;
}

QFont titleFont()
{
    QFont f;
    f.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("NanumGothic"),
                   QStringLiteral("Sans Serif")});
    f.setPixelSize(11);
    f.setBold(true);
    return f;
}

} // namespace orvel::gridstyle
