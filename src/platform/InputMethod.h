#pragma once

// Switches the input method of a window between Hangul and Latin input.

class QWidget;

namespace orvel
{

/// Turns Hangul input on or off for the window of `window`. On Windows this sets the
/// conversion status of the window's input context; elsewhere it asks a running input
/// method framework (fcitx5) over the session bus, without waiting for an answer.
/// Does nothing, silently, when no input method can be reached.
void SetHangeulMode(QWidget* window, bool on);

} // namespace orvel
