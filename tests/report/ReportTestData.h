#pragma once

// Customer rows for report tests, in the columns the shipped templates read.

#include "report/Report.h"

namespace orvel::report::test
{

/// count customers "고객1".. with post codes 10001.. and numbered Seoul addresses.
inline MemoryDataSource customers(int count)
{
    std::vector<QVariantList> rows;
    for (int i = 1; i <= count; ++i)
        rows.push_back({QStringLiteral("고객%1").arg(i), QStringLiteral("%1").arg(10000 + i),
                        QStringLiteral("서울특별시 중구 세종대로 %1").arg(i), "", ""});
    return MemoryDataSource({"name", "home_post", "home_address", "home_tel", "handphone"},
                            std::move(rows));
}

} // namespace orvel::report::test
