#pragma once

#include "report/model/ReportModel.h"

#include <QImage>
#include <QRectF>
#include <QString>
#include <vector>

namespace orvel::report
{

/// Look of prepared items, shared by many items through an index.
struct ItemStyle {
    FontSpec font;
    HAlign hAlign = HAlign::Left;
    VAlign vAlign = VAlign::Top;
    bool wordWrap = true;
    double gapX = 2, gapY = 1;
    QColor fill; // invalid = transparent
    FrameSpec frame;
    // pictures
    bool stretched = true;
    bool keepAspect = true;
    bool center = false;
    bool operator==(const ItemStyle&) const = default;
};

/// One positioned primitive on a prepared page. Geometry in pixels at 96 dpi from the
/// paper's top-left corner.
struct PreparedItem {
    enum Kind : quint8 { Text, Line, Rect, RoundRect, Ellipse, Image, Triangle, Diamond };
    Kind kind = Text;
    int style = 0;  // index into PreparedReport::styles
    int image = -1; // index into PreparedReport::images
    QRectF rect;    // for lines: from topLeft to bottomRight
    QString text;
};

/// One outline entry: a caption and the page and position it leads to.
struct OutlineEntry {
    QString text;
    int page = 0;
    double y = 0;
};

/// One prepared page: paper and the items on it.
struct PreparedPage {
    double widthMm = 210, heightMm = 297;
    bool landscape = false;
    int paperSize = 9;
    double leftMargin = 10, rightMargin = 10, topMargin = 10, bottomMargin = 10;
    std::vector<PreparedItem> items;
    double widthPx() const { return mmToPx(widthMm); }
    double heightPx() const { return mmToPx(heightMm); }
};

/// The prepared pages of a report, ready to show, print or export.
struct PreparedReport {
    QString title;
    std::vector<PreparedPage> pages;
    std::vector<ItemStyle> styles;
    std::vector<QImage> images;
    std::vector<OutlineEntry> outline;

    int styleIndex(const ItemStyle& style);
    void clear() { *this = PreparedReport(); }
};

} // namespace orvel::report
