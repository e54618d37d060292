#pragma once

#include <QList>
#include <QString>

#include <chrono>
#include <memory>

class FileBrowser;
class QWidget;
class SearchReplace;
class TForm_DIR;
class TForm_EDT1;
class TForm_EDT2;
class TForm_EDT3;
class TForm_EDT4;
class TForm_EDT5;
class TForm_EDT_COR;
class TForm_EDT_Progress;
class TForm_Font;
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
        std::chrono::milliseconds splashDuration{5000};
        /// Creates and wires the tool, colour, font, product directory and
        /// search windows and the file browser. Tests of one window leave it
        /// off and set up only what they test.
        bool allWindows = false;
    };

    explicit ProgramWindows(const Options &options);
    ~ProgramWindows();

    ProgramWindows(const ProgramWindows &) = delete;
    ProgramWindows &operator=(const ProgramWindows &) = delete;

    /// The windows in creation order.
    QList<QWidget *> all() const;

    std::unique_ptr<TForm_Main> main;
    std::unique_ptr<TForm_Screen> screen;
    std::unique_ptr<TForm_EDT1> spaces;
    std::unique_ptr<TForm_EDT_Progress> progress;
    std::unique_ptr<TForm_EDT2> renumber;
    std::unique_ptr<TForm_EDT3> arcCentres;
    std::unique_ptr<TForm_EDT4> translate;
    std::unique_ptr<TForm_EDT5> mirror;
    std::unique_ptr<TForm_MSG> messages;
    std::unique_ptr<TForm_EDT_COR> colours;
    std::unique_ptr<TForm_DIR> productDirectory;
    std::unique_ptr<TForm_Font> font;

    FileBrowser *browser = nullptr; ///< lives in the main window
    std::unique_ptr<SearchReplace> search;
};
