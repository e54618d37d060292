#include "app/WindowPlacement.h"

#include <QEvent>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QWidget>

namespace WindowPlacement {

void centreOnScreen(QWidget *window, const QWidget *reference)
{
    const QWidget *on = reference ? reference : window;
    QScreen *screen = on->screen() ? on->screen() : QGuiApplication::primaryScreen();
    if (!screen) {
        return;
    }
    window->adjustSize();
    QRect frame = window->frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    window->move(frame.topLeft());
}

void returnFromMaximised(QWidget *window, const QEvent *event, const std::function<void()> &recentre)
{
    if (event->type() != QEvent::WindowStateChange || !(window->windowState() & Qt::WindowMaximized)) {
        return;
    }
    // Changing the state again inside its own change event is not honoured.
    QTimer::singleShot(0, window, [window, recentre] {
        window->setWindowState(Qt::WindowNoState);
        recentre();
    });
}

} // namespace WindowPlacement
