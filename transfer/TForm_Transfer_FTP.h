#pragma once

#include "machines/CurrentMachine.h"
#include "transfer/FtpClient.h"
#include "transfer/TransferPaths.h"

#include <QDialog>
#include <QHash>

#include <functional>

class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QStatusBar;
class QTreeWidget;
class Ribbon;

/// The FTP transfer window: sends one program into a machine's FTP directory
/// under a name the user may change, or receives one chosen from that
/// directory's listing into the machine's program directory.
///
/// Transfers run on a worker thread while the window keeps handling its
/// events, so that Cancel stops them. The window owns its FTP client.
class TForm_Transfer_FTP : public QDialog
{
    Q_OBJECT

public:
    /// \a helpDir gives the help directory of the current language, ending in "/".
    explicit TForm_Transfer_FTP(std::function<QString()> helpDir = {});
    ~TForm_Transfer_FTP() override;

    /// Fills the window for sending \a file to \a machine, connects anew and
    /// lists the machine's FTP directory. On failure reports why and returns
    /// false: the window is then not to be shown.
    bool prepareSend(const CurrentMachine &machine, const QString &file);

    /// The same for receiving a program from \a machine into its program directory.
    bool prepareReceive(const CurrentMachine &machine);

    /// Connects the client anew (any earlier connection is closed) and lists
    /// \a directory. False with the reason in connectError().
    bool FUNC_Conectar_FTP(const QString &user, const QString &password, const QString &host, const QString &directory,
                           const QString &port);

    /// Enters \a directory on the server and fills the listing with its files.
    bool ChangeDir(const QString &directory);

    /// "&Transfer CNC File": uploads the program.
    void BitBtn1Click();
    /// "&Receive CNC File": downloads the chosen program.
    void BitBtn2Click();
    /// "&Cancel": stops a running transfer, or closes the window.
    void BitBtn3Click();
    /// "&Select File" (and a double click in the listing): takes the selected
    /// row as the file to receive. Does nothing in send mode.
    void BitBtn4Click();

    /// False for send, true for receive.
    bool FtpReceiveMode() const { return m_receiveMode; }
    /// True while an upload or download runs.
    bool isTransferring() const { return m_transferring; }
    FtpClient &IdFTP1() { return m_client; }
    /// Why the last connection or listing failed.
    QString connectError() const { return m_connectError; }
    /// The status bar's text.
    QString statusText() const;

    void reject() override;

protected:
    void showEvent(QShowEvent *event) override;
    void changeEvent(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    bool prepare(const CurrentMachine &machine, const QString &file, bool receive);
    bool reconnect();
    /// Runs \a work on a worker thread; the window's events are handled
    /// meanwhile, user input only when \a userInput.
    bool runOffThread(const std::function<bool()> &work, bool userInput);
    void showConnectFailure();
    void setStatus(const QString &text);
    void onTransferStarted(qint64 total, FtpClient::Direction direction);
    void onTransferProgress(qint64 done, qint64 total, FtpClient::Direction direction);
    void onTransferEnded();
    void showPosition(qint64 position);

    std::function<QString()> m_helpDir;
    FtpClient m_client;
    CurrentMachine m_machine;
    QString m_ftpDirectory; ///< normalised
    bool m_receiveMode = false;
    bool m_transferring = false;
    bool m_cancelFlag = false;
    QString m_connectError;
    qint64 m_progressMax = 0;
    QHash<QString, qint64> m_remoteSizes; ///< bytes of each listed file, by remote path

    Ribbon *m_ribbon;
    QLabel *m_directoryLabel;
    QLineEdit *m_number;
    QLineEdit *m_description;
    QLineEdit *m_host;
    QLineEdit *m_user;
    QLineEdit *m_directory;
    QLineEdit *m_origin;
    QLineEdit *m_destination;
    QTreeWidget *m_list;
    QProgressBar *m_progress;
    QLabel *m_percent;
    QStatusBar *m_status;
    QPushButton *m_send;
    QPushButton *m_receive;
    QPushButton *m_cancel;
    QPushButton *m_select;
};
