#pragma once

#include "transfer/SerialLine.h"
#include "transfer/SerialReceiver.h"
#include "transfer/SerialWindowSettings.h"

#include <QDialog>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QStatusBar;
class Ribbon;
class SerialLinePanel;
struct CurrentMachine;
struct ProgramSettings;

/// The serial receive window: receives a program the machine sends over its
/// RS-232 line, shows it while it arrives, notices when the machine has
/// finished, and saves exactly the bytes received into the machine's local
/// program directory.
class TForm_Transfer_SERIAL232_R : public QDialog
{
    Q_OBJECT

public:
    explicit TForm_Transfer_SERIAL232_R(const ProgramSettings &settings, QWidget *parent = nullptr);
    ~TForm_Transfer_SERIAL232_R() override;

    /// Everything before the modal show: caption, the machine's line settings
    /// applied to the port and shown, the local directory, an empty
    /// destination and text, the buttons enabled. The port stays closed.
    bool prepareReceive(const CurrentMachine &machine);

    /// "&Receive CNC File": starts a new reception.
    void BitBtn2Click();
    /// "&Save CNC File": saves the received bytes; true when saved (the window then closes).
    bool BitBtn4Click();
    /// "&Cancel": closes, first offering to save what was received.
    void BitBtn3Click();

    QString statusText() const;
    SerialLine &line() { return m_line; }
    SerialReceiver &receiver() { return m_receiver; }

public Q_SLOTS:
    void done(int result) override;
    void reject() override;

protected:
    void changeEvent(QEvent *event) override;

private:
    void setStatusText(const QString &text);
    void onBytesArrived(qsizetype count, const QString &text);
    void onCompleted();
    void onFailed(const QString &reason);
    void setButtonsEnabled(bool enabled);
    void centre();

    const ProgramSettings &m_settings;
    SerialLine m_line;
    SerialReceiver m_receiver;
    SerialWindowSettings m_lineSettings;
    Ribbon *m_ribbon;
    SerialLinePanel *m_panel;
    QLineEdit *m_directory;
    QLabel *m_destinationLabel;
    QLineEdit *m_destination;
    QGroupBox *m_textFrame;
    QPlainTextEdit *m_text;
    QPushButton *m_receive;
    QPushButton *m_save;
    QPushButton *m_cancel;
    QStatusBar *m_statusBar;
    QLabel *m_status;
};
