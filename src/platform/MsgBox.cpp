#include "platform/MsgBox.h"

#include <QDialog>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>
#include <utility>
#include <vector>

namespace orvel
{

namespace
{

Answerer& answerer()
{
    static Answerer a;
    return a;
}

struct ButtonSpec {
    const char* text;
    int result;
};

// The buttons of a kind, left to right; empty for a kind that shows nothing.
std::vector<ButtonSpec> buttonsOf(int kind)
{
    switch (kind) {
    case 0:
        return {{"확인", 1}};
    case 1:
        return {{"확인", 1}, {"취소", 2}};
    case 2:
        return {{"예", 1}, {"아니오", 2}};
    case 3:
        return {{"저장", 1}, {"취소", 2}};
    case 4:
        return {{"실행", 1}, {"취소", 2}};
    case 5:
        return {{"예", 1}, {"아니오", 7}, {"취소", 2}};
    default:
        return {};
    }
}

// Escape and the title bar's close button both end the box with 2.
class MsgBoxDialog : public QDialog
{
public:
    using QDialog::QDialog;
    void reject() override { done(2); }
};

int runDialog(QWidget* parent, const ShownMessage& m, const std::vector<ButtonSpec>& buttons)
{
    MsgBoxDialog box(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                 Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    box.setObjectName(QStringLiteral("MsgBox"));
    box.setWindowTitle(m.caption);
    box.setModal(true);

    auto* layout = new QVBoxLayout(&box);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->setContentsMargins(20, 16, 20, 12);
    layout->setSpacing(16);

    auto* text = new QLabel(&box);
    text->setObjectName(QStringLiteral("message"));
    text->setTextFormat(Qt::PlainText);
    text->setText(m.message);
    text->setTextInteractionFlags(Qt::TextSelectableByMouse);
    // Long messages wrap; short ones stay on their lines.
    if (text->sizeHint().width() > 480) {
        text->setWordWrap(true);
        text->setMinimumWidth(480);
    }
    layout->addWidget(text);

    auto* row = new QHBoxLayout;
    row->addStretch(1);
    QPushButton* first = nullptr;
    for (const ButtonSpec& spec : buttons) {
        auto* button = new QPushButton(QString::fromUtf8(spec.text), &box);
        button->setObjectName(QStringLiteral("button%1").arg(spec.result));
        button->setMinimumWidth(75);
        const int result = spec.result;
        QObject::connect(button, &QPushButton::clicked, &box, [&box, result] { box.done(result); });
        row->addWidget(button);
        if (!first)
            first = button;
    }
    row->addStretch(1);
    layout->addLayout(row);

    first->setDefault(true);
    first->setFocus(Qt::OtherFocusReason);

    box.adjustSize();
    QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
    if (screen) {
        QRect frame = box.frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        box.move(frame.topLeft());
    }
    return box.exec();
}

} // namespace

int MsgBox::show(QWidget* parent, const QString& caption, const QString& message, int kind)
{
    return present(parent, ShownMessage{caption, message, kind, false});
}

void MsgBox::setAnswerer(Answerer a)
{
    answerer() = std::move(a);
}

int MsgBox::present(QWidget* parent, const ShownMessage& m)
{
    const std::vector<ButtonSpec> buttons = buttonsOf(m.kind);
    if (buttons.empty())
        return 0;
    // A copy, so an answerer may replace itself while it runs.
    if (const Answerer a = answerer())
        return a(m);
    return runDialog(parent, m, buttons);
}

} // namespace orvel
