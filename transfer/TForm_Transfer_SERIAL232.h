#pragma once

#include "transfer/SerialLine.h"
#include "transfer/SerialSender.h"
#include "transfer/SerialWindowSettings.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QStatusBar;
class Ribbon;
class SerialLinePanel;
struct CurrentMachine;
struct ProgramSettings;

/// The serial send window: shows the line settings of the current machine
/// and sends one program file over its RS-232 line with progress and Cancel.
/// The send runs on the port's events; the window stays responsive while the
/// machine holds the line, for as long as it does.
class TForm_Transfer_SERIAL232 : public QDialog
{
    Q_OBJECT

public:
    /// \a settings gives the help directory and the settings file that maps
    /// port names to devices.
    explicit TForm_Transfer_SERIAL232(const ProgramSettings &settings, QWidget *parent = nullptr);
    ~TForm_Transfer_SERIAL232() override;

    /// Everything before the modal show: caption, the machine's line settings
    /// applied to the port and shown, the source file, the send button and the
    /// progress reset. False when \a file is not an existing file.
    bool prepareSend(const CurrentMachine &machine, const QString &file);

    /// "&Transfer CNC File": opens the port and starts sending the source file.
    void BitBtn1Click();
    /// "&Cancel": stops a running send (which then reports and closes), or closes.
    void BitBtn3Click();

    QString statusText() const;
    bool isSending() const { return m_sender.isRunning(); }
    SerialLine &line() { return m_line; }
    SerialSender &sender() { return m_sender; }

public Q_SLOTS:
    void done(int result) override;
    void reject() override;

protected:
    void changeEvent(QEvent *event) override;

private:
    void setStatusText(const QString &text);
    void showProgress(qint64 sent, qint64 total);
    void resetProgress();
    void onFinished();
    void onCancelled();
    void onFailed(const QString &reason);
    void centre();

    const ProgramSettings &m_settings;
    SerialLine m_line;
    SerialSender m_sender;
    SerialWindowSettings m_lineSettings;
    Ribbon *m_ribbon;
    SerialLinePanel *m_panel;
    QLineEdit *m_origin;
    QWidget *m_progressPanel;
    QProgressBar *m_bar;
    QLabel *m_percent;
    QPushButton *m_send;
    QPushButton *m_cancel;
    QStatusBar *m_statusBar;
    QLabel *m_status;
    QString m_sendingPath;
};
