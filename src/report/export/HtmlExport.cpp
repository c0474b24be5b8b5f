#include "report/export/HtmlExport.h"

#include "report/render/ReportFonts.h"

#include <QBuffer>

namespace orvel::report
{

namespace
{

QString px(double v)
{
    return QString::number(v, 'f', 1) + QLatin1String("px");
}

QString css(const QColor& c)
{
    return c.name(QColor::HexRgb);
}

QString border(const FrameSpec& f, int side)
{
    if (!(f.sides & side))
        return {};
    static const char* const names[] = {"left", "right", "top", "bottom"};
    int i = side == FrameSpec::Left    ? 0
            : side == FrameSpec::Right ? 1
            : side == FrameSpec::Top   ? 2
                                       : 3;
    return QStringLiteral("border-%1:%2 %3 %4;")
        .arg(QLatin1String(names[i]), px(std::max(0.5, f.width)),
             f.style == 2   ? QStringLiteral("dashed")
             : f.style == 3 ? QStringLiteral("dotted")
                            : QStringLiteral("solid"),
             css(f.color));
}

} // namespace

bool HtmlExport::write(const PreparedReport& report, QIODevice* device)
{
    QString h;
    h += QLatin1String("<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\">\n<title>");
    h += report.title.toHtmlEscaped();
    h += QLatin1String("</title>\n<style>\nbody{background:#888;margin:0;padding:8px}\n"
                       ".page{position:relative;background:#fff;margin:0 auto 8px auto;"
                       "overflow:hidden}\n.page div{position:absolute;box-sizing:border-box;"
                       "overflow:hidden;white-space:pre-wrap}\n</style></head><body>\n");
    std::vector<QString> images;
    for (const QImage& img : report.images) {
        QByteArray png;
        QBuffer buf(&png);
        buf.open(QIODevice::WriteOnly);
        img.save(&buf, "PNG");
        images.push_back(QLatin1String("data:image/png;base64,") +
                         QString::fromLatin1(png.toBase64()));
    }
    const ItemStyle fallback;
    for (size_t p = 0; p < report.pages.size(); ++p) {
        if (!pageStarts(int(p)))
            return false;
        const PreparedPage& page = report.pages[p];
        h += QStringLiteral("<div class=\"page\" id=\"page%1\" style=\"width:%2;height:%3\">\n")
                 .arg(p + 1)
                 .arg(px(page.widthPx()), px(page.heightPx()));
        for (const PreparedItem& it : page.items) {
            const ItemStyle& s = it.style >= 0 && it.style < int(report.styles.size())
                                     ? report.styles[it.style]
                                     : fallback;
            const QString box =
                QStringLiteral("left:%1;top:%2;width:%3;height:%4;")
                    .arg(px(it.rect.left()), px(it.rect.top()), px(std::max(1.0, it.rect.width())),
                         px(std::max(1.0, it.rect.height())));
            switch (it.kind) {
            case PreparedItem::Text: {
                QString style = box;
                QStringList families{s.font.name};
                families << ReportFonts::fallbackFamilies();
                style += QStringLiteral("font-family:'%1';font-size:%2;color:%3;padding:%4 %5;")
                             .arg(families.join(QLatin1String("','")), px(s.font.pixelHeight),
                                  css(s.font.color), px(s.gapY), px(s.gapX));
                if (s.font.style & FontSpec::Bold)
                    style += QLatin1String("font-weight:bold;");
                if (s.font.style & FontSpec::Italic)
                    style += QLatin1String("font-style:italic;");
                if (s.font.style & FontSpec::Underline)
                    style += QLatin1String("text-decoration:underline;");
                static const char* const aligns[] = {"left", "right", "center", "justify"};
                style += QStringLiteral("text-align:%1;").arg(QLatin1String(aligns[int(s.hAlign)]));
                if (!s.wordWrap)
                    style += QLatin1String("white-space:pre;");
                if (s.vAlign != VAlign::Top)
                    style +=
                        QStringLiteral("display:flex;flex-direction:column;justify-content:%1;")
                            .arg(s.vAlign == VAlign::Center ? QStringLiteral("center")
                                                            : QStringLiteral("flex-end"));
                if (s.fill.isValid())
                    style += QStringLiteral("background:%1;").arg(css(s.fill));
                for (int side : {1, 2, 4, 8})
                    style += border(s.frame, side);
                h += QStringLiteral("<div style=\"%1\">%2</div>\n")
                         .arg(style, it.text.toHtmlEscaped());
                break;
            }
            case PreparedItem::Line: {
                const bool vertical = it.rect.width() == 0;
                FrameSpec f = s.frame;
                f.sides = vertical ? FrameSpec::Left : FrameSpec::Top;
                h += QStringLiteral("<div style=\"%1%2\"></div>\n")
                         .arg(QStringLiteral("left:%1;top:%2;width:%3;height:%4;")
                                  .arg(px(it.rect.left()), px(it.rect.top()),
                                       px(vertical ? 1 : it.rect.width()),
                                       px(vertical ? it.rect.height() : 1)),
                              border(f, f.sides));
                break;
            }
            case PreparedItem::Rect:
            case PreparedItem::Triangle:
            case PreparedItem::Diamond: {
                // Drawn as a filled polygon; the outline is left out.
                const QString polygon = it.kind == PreparedItem::Triangle
                                            ? QStringLiteral("50% 0,100% 100%,0 100%")
                                            : QStringLiteral("50% 0,100% 50%,50% 100%,0 50%");
                h += QStringLiteral("<div style=\"%1background:%2;clip-path:polygon(%3)\"></div>\n")
                         .arg(box, css(s.fill.isValid() ? s.fill : s.frame.color), polygon);
                break;
            }
            case PreparedItem::RoundRect:
            case PreparedItem::Ellipse: {
                QString style =
                    box + QStringLiteral("border:%1 solid %2;")
                              .arg(px(std::max(0.5, s.frame.width)), css(s.frame.color));
                if (s.fill.isValid())
                    style += QStringLiteral("background:%1;").arg(css(s.fill));
                if (it.kind == PreparedItem::Ellipse)
                    style += QLatin1String("border-radius:50%;");
                else if (it.kind == PreparedItem::RoundRect)
                    style += QLatin1String("border-radius:8px;");
                h += QStringLiteral("<div style=\"%1\"></div>\n").arg(style);
                break;
            }
            case PreparedItem::Image:
                if (it.image >= 0 && it.image < int(images.size()))
                    h += QStringLiteral("<div style=\"%1\"><img src=\"%2\" style=\"max-width:100%;"
                                        "max-height:100%\"></div>\n")
                             .arg(box, images[it.image]);
                break;
            }
        }
        h += QLatin1String("</div>\n");
    }
    h += QLatin1String("</body></html>\n");
    return writeAll(device, h.toUtf8());
}

} // namespace orvel::report
