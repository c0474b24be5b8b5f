#pragma once

// The program's modal message box: caption, message and a fixed row of buttons chosen by kind.

#include <QString>
#include <functional>

class QWidget;

namespace orvel
{

/// What a message box would have shown; handed to a test answerer instead of a real box.
struct ShownMessage {
    QString caption;
    QString message;
    int kind;
    bool lastResort; ///< shown by the handler of last resort, not by an action
};

/// Answers a message box in place of the user; returns the result of the button "pressed".
using Answerer = std::function<int(const ShownMessage&)>;

class MsgBox
{
public:
    using ShownMessage = orvel::ShownMessage;
    using Answerer = orvel::Answerer;

    /// Shows a modal box without an icon, centred on the screen, and returns the pressed
    /// button's result. Buttons by kind, left to right (result):
    ///   0: 확인(1)   1: 확인(1) 취소(2)   2: 예(1) 아니오(2)   3: 저장(1) 취소(2)
    ///   4: 실행(1) 취소(2)   5: 예(1) 아니오(7) 취소(2)
    /// The first button is the default and has the focus; Escape and closing the box from
    /// its title bar return 2. Any other kind shows nothing and returns 0.
    static int show(QWidget* parent, const QString& caption, const QString& message, int kind);

    /// Replaces the real boxes with an answerer (tests only); an empty one restores them.
    static void setAnswerer(Answerer a);

private:
    friend class LastResort;
    static int present(QWidget* parent, const ShownMessage& m);
};

} // namespace orvel
