#pragma once

#include <QList>
#include <QString>

#include <chrono>
#include <memory>

class QWidget;
class TForm_Main;
class TForm_MSG;
class TForm_Screen;

/// Every window of the program, created once at start-up in a fixed order and
/// living until the end. This is the one place that lists that order.
struct ProgramWindows
{
    struct Options
    {
        QString programDir; ///< where the settings files and Help/ lie
        std::chrono::milliseconds splashDuration {5000};
    };

    explicit ProgramWindows(const Options &options);
    ~ProgramWindows();

    ProgramWindows(const ProgramWindows &) = delete;
    ProgramWindows &operator=(const ProgramWindows &) = delete;

    /// The windows in creation order.
    QList<QWidget *> all() const;

    std::unique_ptr<TForm_Main> main;
    std::unique_ptr<TForm_Screen> screen;
    std::unique_ptr<TForm_MSG> messages;
};
