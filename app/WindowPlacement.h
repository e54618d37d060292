#pragma once

#include <functional>

class QEvent;
class QWidget;

/// Where the program's fixed-size windows go on the screen.
namespace WindowPlacement {

/// Fits \a window to its contents and moves it to the middle of the screen
/// \a reference is on (the window's own screen when \a reference is null).
void centreOnScreen(QWidget *window, const QWidget *reference = nullptr);

/// For a window's changeEvent: when \a event maximised \a window, returns it
/// to its normal size and then runs \a recentre, once the state change is over.
void returnFromMaximised(QWidget *window, const QEvent *event, const std::function<void()> &recentre);

} // namespace WindowPlacement
