#include "report/script/ScriptConstants.h"

#include <QHash>

namespace orvel::report
{

namespace ScriptConstants
{

std::optional<ScriptValue> find(const QString& lower)
{
    static const QHash<QString, ScriptValue> table = [] {
        QHash<QString, ScriptValue> t;
        t.insert(QStringLiteral("true"), ScriptValue(true));
        t.insert(QStringLiteral("false"), ScriptValue(false));
        const std::pair<const char*, qint64> colours[] = {{"clblack", 0x000000},
                                                          {"clmaroon", 0x000080},
                                                          {"clgreen", 0x008000},
                                                          {"clolive", 0x008080},
                                                          {"clnavy", 0x800000},
                                                          {"clpurple", 0x800080},
                                                          {"clteal", 0x808000},
                                                          {"clgray", 0x808080},
                                                          {"clgrey", 0x808080},
                                                          {"clsilver", 0xC0C0C0},
                                                          {"clred", 0x0000FF},
                                                          {"cllime", 0x00FF00},
                                                          {"clyellow", 0x00FFFF},
                                                          {"clblue", 0xFF0000},
                                                          {"clfuchsia", 0xFF00FF},
                                                          {"claqua", 0xFFFF00},
                                                          {"clwhite", 0xFFFFFF},
                                                          {"clltgray", 0xC0C0C0},
                                                          {"cldkgray", 0x808080},
                                                          {"clmedgray", 0xA4A0A0},
                                                          {"clmoneygreen", 0xC0DCC0},
                                                          {"clskyblue", 0xF0CAA6},
                                                          {"clcream", 0xF0FBFF},
                                                          {"clnone", ScriptColors::None},
                                                          {"cldefault", ScriptColors::Default}};
        for (const auto& [name, value] : colours)
            t.insert(QString::fromLatin1(name), ScriptValue(value));
        // Font styles are sets: fsBold alone or [fsBold, fsItalic]; bits as FontSpec::Style.
        const std::pair<const char*, qint64> styles[] = {
            {"fsbold", 1}, {"fsitalic", 2}, {"fsunderline", 4}, {"fsstrikeout", 8}};
        for (const auto& [name, value] : styles)
            t.insert(QString::fromLatin1(name), ScriptValue::set(value));
        // Text alignment, as the template's HAlign and VAlign attributes number them.
        const std::pair<const char*, qint64> aligns[] = {
            {"haleft", 0},         {"haright", 1},  {"hacenter", 2}, {"hablock", 3},
            {"vatop", 0},          {"vabottom", 1}, {"vacenter", 2}, {"taleftjustify", 0},
            {"tarightjustify", 1}, {"tacenter", 2}};
        for (const auto& [name, value] : aligns)
            t.insert(QString::fromLatin1(name), ScriptValue(value));
        return t;
    }();
    const auto it = table.constFind(lower);
    if (it == table.constEnd())
        return std::nullopt;
    return *it;
}

} // namespace ScriptConstants

namespace ScriptColors
{

QColor toColor(qint64 tcolor)
{
    if (tcolor == None || tcolor == Default || tcolor < 0 || tcolor > 0xFFFFFF)
        return {};
    return QColor(int(tcolor & 0xFF), int(tcolor >> 8 & 0xFF), int(tcolor >> 16 & 0xFF));
}

qint64 fromColor(const QColor& color)
{
    if (!color.isValid() || color.alpha() == 0)
        return None;
    return qint64(color.red()) | qint64(color.green()) << 8 | qint64(color.blue()) << 16;
}

} // namespace ScriptColors

} // namespace orvel::report
