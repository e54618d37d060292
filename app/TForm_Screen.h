#pragma once

#include <QDialog>
#include <QTimer>

#include <chrono>

class QLabel;

/// The splash window shown while the program starts: a built-in picture,
/// "Loading" growing a dot every half second, a marquee bar. It closes itself
/// after its duration (five seconds in the program; tests shorten it).
class TForm_Screen : public QDialog
{
    Q_OBJECT

public:
    explicit TForm_Screen(QWidget *parent = nullptr);

    void setDuration(std::chrono::milliseconds duration) { m_duration = duration; }
    std::chrono::milliseconds duration() const { return m_duration; }

    /// Shows the splash modally until its duration has passed.
    int exec() override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QLabel *m_loading;
    QTimer m_dots;
    QTimer m_close;
    std::chrono::milliseconds m_duration {5000};
};
