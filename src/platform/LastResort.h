#pragma once

// The handler of last resort: shows the text of an error that no action caught, and the
// guards that bring such errors to it instead of letting them unwind through Qt.

#include <QApplication>
#include <QString>
#include <exception>
#include <utility>

namespace orvel
{

class LastResort
{
public:
    /// Shows the error's text in a message box captioned with the application's display
    /// name and one "확인" button. Never throws.
    static void report(const QString& text) noexcept;
    /// The text reported for an exception that is not a std::exception.
    static QString unknownErrorText();
};

/// Runs an action; an exception it throws ends the action and is reported by LastResort.
/// Every slot or event handler that starts a user action runs its body through this.
template <class F> void guarded(F&& f) noexcept
{
    try {
        std::forward<F>(f)();
    } catch (const std::exception& e) {
        LastResort::report(QString::fromUtf8(e.what()));
    } catch (...) {
        LastResort::report(LastResort::unknownErrorText());
    }
}

/// The application object whose notify() reports an escaped exception instead of ending
/// the program: the final safety net behind guarded().
class GuardedApplication : public QApplication
{
public:
    GuardedApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};

} // namespace orvel
