#include "app/HelpPages.h"
#include "app/ProgramSettings.h"
#include "app/Ribbon.h"
#include "i18n/ApplyLanguage.h"
#include "i18n/Catalogue.h"
#include "machines/CurrentMachine.h"
#include "support/PseudoTerminalPair.h"
#include "support/ScriptedDialogs.h"
#include "support/TestFiles.h"
#include "transfer/SerialLinePanel.h"
#include "transfer/TForm_Transfer_SERIAL232.h"
#include "transfer/TForm_Transfer_SERIAL232_R.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

using namespace Qt::StringLiterals;

/// The serial send and receive windows against a scripted machine at the
/// other end of a socat pseudo-terminal pair.
class SerialWindowsTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString m_machineEnd;
    std::unique_ptr<PseudoTerminalPair> m_pair;
    QSerialPort m_machine;
    QByteArray m_received;
    ProgramSettings m_settings;
    CurrentMachine m_current;

    /// Starts the pair: COM3 is our end, the test plays the machine at the other.
    bool startLine()
    {
        if (!PseudoTerminalPair::available()) {
            return false;
        }
        m_pair = std::make_unique<PseudoTerminalPair>(m_dir.path());
        QFile::remove(m_pair->end());
        QFile::remove(m_pair->otherEnd());
        TestFiles::write(m_settings.transferIniPath(), "[COMPORTS]\nCOM3=" + m_pair->end().toUtf8() + "\n");
        if (!m_pair->start()) {
            return false;
        }
        m_machineEnd = m_pair->otherEnd();
        m_received.clear();
        m_machine.setPortName(m_machineEnd);
        return m_machine.open(QIODevice::ReadWrite);
    }

    void stopLine()
    {
        m_machine.close();
        m_pair.reset();
    }

    void machineSends(const QByteArray &bytes)
    {
        m_machine.write(bytes);
        QVERIFY(m_machine.waitForBytesWritten(2000));
    }

    static QWidget *child(QWidget &window, const QString &name) { return window.findChild<QWidget *>(name); }
    static QLineEdit *edit(QWidget &window, const QString &name) { return window.findChild<QLineEdit *>(name); }
    static QLabel *label(QWidget &window, const QString &name) { return window.findChild<QLabel *>(name); }
    static QPushButton *button(QWidget &window, const QString &name) { return window.findChild<QPushButton *>(name); }

private Q_SLOTS:
    void initTestCase()
    {
        Catalogue::current().load(u"EN"_s);
        m_settings.ProgramDir = m_dir.path() + u'/';
        m_settings.HelpDir = m_settings.ProgramDir + u"Help/EN/"_s;
        QDir(m_dir.path()).mkpath(u"Help/EN"_s);
        QDir(m_dir.path()).mkpath(u"cnc"_s);
        TestFiles::write(m_settings.HelpDir + u"func03.4.3.html"_s, "<html></html>");
        TestFiles::write(m_settings.HelpDir + u"func03.5.3.html"_s, "<html></html>");
        m_current.Id = u"7"_s;
        m_current.ProgramsDir = m_dir.filePath(u"cnc/"_s);
        m_current.SerialPort = u"COM3"_s;
        m_current.SerialSpeed = u"13"_s;
        m_current.SerialDataBits = u"4"_s;
        m_current.SerialParity = u"3"_s;
        m_current.SerialStopBits = u"2"_s;
        m_current.SerialFlow = u"3"_s;
        QObject::connect(&m_machine, &QSerialPort::readyRead, this, [this] { m_received += m_machine.readAll(); });
    }

    void cleanup() { stopLine(); }

    void sendWindowShowsTheMachineAndItsFile()
    {
        TForm_Transfer_SERIAL232 window(m_settings);
        ApplyLanguage({&window}, Catalogue::current());
        const QString file = m_dir.filePath(u"O1.nc"_s);
        TestFiles::write(file, "%\n%\n");
        QVERIFY(window.prepareSend(m_current, file));
        QCOMPARE(child(window, u"Ribbon1"_s)->property("caption").toString(),
                 u"VORN Transfer - Vs.2.3.0 - Transfer Program"_s);
        QStringList shown;
        for (int i = 1; i <= 7; ++i) {
            shown << edit(window, u"Edit%1"_s.arg(i))->text();
        }
        QCOMPARE(shown, (QStringList {u"COM3"_s, u"115200"_s, u"8"_s, u"NONE"_s, u"1"_s, u"NONE"_s, file}));
        QCOMPARE(label(window, u"Label6"_s)->text(), u"Flow Control  :"_s);
        QCOMPARE(label(window, u"Label14"_s)->text(), u"0%"_s);

        // A code outside its table leaves the setting as the last machine gave it.
        CurrentMachine other = m_current;
        other.SerialSpeed = u"16"_s;
        other.SerialFlow = QString();
        other.SerialParity = u"1"_s;
        QVERIFY(window.prepareSend(other, file));
        QCOMPARE(edit(window, u"Edit2"_s)->text(), u"115200"_s);
        QCOMPARE(edit(window, u"Edit4"_s)->text(), u"EVEN"_s);
        QCOMPARE(edit(window, u"Edit6"_s)->text(), u"NONE"_s);
        QVERIFY(!window.prepareSend(m_current, m_dir.filePath(u"absent.nc"_s)));

        QStringList opened;
        HelpPages::setOpener([&](const QString &path) {
            opened << QDir(m_dir.path()).relativeFilePath(path);
            return true;
        });
        window.findChild<Ribbon *>(u"Ribbon1"_s)->helpButton()->click();
        HelpPages::setOpener({});
        QCOMPARE(opened, QStringList {u"Help/EN/func03.4.3.html"_s});
    }

    void sendReportsSuccessAndCloses()
    {
        if (!startLine()) {
            QSKIP("socat is not available");
        }
        ScriptedDialogs dialogs;
        TForm_Transfer_SERIAL232 window(m_settings);
        const QString file = m_dir.filePath(u"O2.nc"_s);
        TestFiles::write(file, "%\nN10 G00\n%\n");
        QVERIFY(window.prepareSend(m_current, file));
        button(window, u"BitBtn1"_s)->click();
        QCOMPARE(window.statusText(), QString(u"Sending File \""_s + file + u'"'));
        QTRY_COMPARE_WITH_TIMEOUT(dialogs.shownTexts().size(), 1, 10000);
        QCOMPARE(dialogs.shownTexts(), QStringList {u"INFORMATION: The File \""_s + file + u"\" Successfully sent."_s});
        QCOMPARE(window.result(), int(QDialog::Accepted));
        QCOMPARE(window.statusText(), QString(u"File \""_s + file + u"\" Successfully sent......"_s));
        QVERIFY(!window.line().isOpen());
        QTRY_COMPARE(m_received, QByteArray("%\r\nN10 G00\r\n%\r\n"));
    }

    void cancelReportsAndCloses()
    {
        if (!startLine()) {
            QSKIP("socat is not available");
        }
        ScriptedDialogs dialogs;
        TForm_Transfer_SERIAL232 window(m_settings);
        const QString file = m_dir.filePath(u"O3.nc"_s);
        TestFiles::write(file, QByteArray("G01 X1. Y1.\n").repeated(300000));
        QVERIFY(window.prepareSend(m_current, file));
        button(window, u"BitBtn1"_s)->click();
        QTRY_VERIFY(m_received.size() > 1000);
        button(window, u"BitBtn3"_s)->click();
        QCOMPARE(dialogs.shownTexts(), QStringList {u"INFORMATION: Operation Cancelled."_s});
        QCOMPARE(window.statusText(), u"Operation Cancelled....."_s);
        QCOMPARE(label(window, u"Label14"_s)->text(), u"0%"_s);
        QCOMPARE(window.result(), int(QDialog::Rejected));
        QVERIFY(!window.isSending());
        QVERIFY(!window.line().isOpen());
        QTest::qWait(300);
        QCOMPARE(dialogs.shownTexts().size(), 1);
    }

    void aLineFailureIsNeverFollowedBySuccess()
    {
        if (!startLine()) {
            QSKIP("socat is not available");
        }
        ScriptedDialogs dialogs;
        TForm_Transfer_SERIAL232 window(m_settings);
        const QString file = m_dir.filePath(u"O4.nc"_s);
        TestFiles::write(file, QByteArray("G01 X1. Y1.\n").repeated(300000));
        QVERIFY(window.prepareSend(m_current, file));
        button(window, u"BitBtn1"_s)->click();
        QTRY_VERIFY(m_received.size() > 1000);
        stopLine();
        QTRY_COMPARE_WITH_TIMEOUT(dialogs.shownTexts().size(), 1, 10000);
        QTest::qWait(500);
        QCOMPARE(dialogs.shownTexts(), QStringList {u"ERROR: Failure during serial transfer. Form will be closed."_s});
        QCOMPARE(dialogs.shown().first().kind, MessageKind::Error);
        QCOMPARE(window.result(), int(QDialog::Rejected));
        QVERIFY(!window.line().isOpen());
    }

    void aPortThatCannotOpenKeepsTheWindowOpen()
    {
        ScriptedDialogs dialogs;
        TForm_Transfer_SERIAL232 window(m_settings);
        CurrentMachine machine = m_current;
        machine.SerialPort = m_dir.filePath(u"no-such-tty"_s);
        const QString file = m_dir.filePath(u"O5.nc"_s);
        TestFiles::write(file, "%\n");
        QVERIFY(window.prepareSend(machine, file));
        auto *send = button(window, u"BitBtn1"_s);
        send->click();
        QCOMPARE(dialogs.shown().size(), 1);
        QVERIFY(dialogs.shownTexts().first().startsWith(machine.SerialPort + u": "_s));
        QVERIFY(!send->isEnabled());
        QVERIFY(!window.isSending());
    }

    void aPortThatCannotOpenKeepsTheReceiveWindowOpen()
    {
        ScriptedDialogs dialogs;
        TForm_Transfer_SERIAL232_R window(m_settings);
        CurrentMachine machine = m_current;
        machine.SerialPort = m_dir.filePath(u"no-such-tty"_s);
        QVERIFY(window.prepareReceive(machine));
        window.show();
        button(window, u"BitBtn2"_s)->click();
        QTest::qWait(100);
        // Only the port's own error: no line failure, no closing of the window.
        QCOMPARE(dialogs.shown().size(), 1);
        QVERIFY(dialogs.shownTexts().first().startsWith(machine.SerialPort + u": "_s));
        QVERIFY(window.isVisible());
        QVERIFY(!button(window, u"BitBtn2"_s)->isEnabled());
        QVERIFY(!button(window, u"BitBtn4"_s)->isEnabled());
        QVERIFY(!window.line().isOpen());
    }

    void receiveSavesExactlyTheBytesAfterTheQuestions()
    {
        if (!startLine()) {
            QSKIP("socat is not available");
        }
        ScriptedDialogs dialogs;
        TForm_Transfer_SERIAL232_R window(m_settings);
        ApplyLanguage({&window}, Catalogue::current());
        window.receiver().setIdleInterval(100);
        QVERIFY(window.prepareReceive(m_current));
        QCOMPARE(child(window, u"Ribbon1"_s)->property("caption").toString(),
                 u"VORN Transfer - Vs.2.3.0 - Receive Program"_s);
        QCOMPARE(edit(window, u"Edit7"_s)->text(), m_current.ProgramsDir);
        auto *save = button(window, u"BitBtn4"_s);

        save->click();
        QCOMPARE(dialogs.shownTexts(), QStringList {u"ERROR: There is no data to save."_s});
        dialogs.clear();

        button(window, u"BitBtn2"_s)->click();
        QCOMPARE(window.statusText(), u"Waiting to receive data..."_s);
        QVERIFY(!save->isEnabled());
        const QByteArray program("%\r\nO0001\nN10 G00 X0\0\x1a\xe9\x85\r\n%", 27);
        machineSends(program);
        QTRY_COMPARE(window.statusText(), u"CNC File Data Received successfully."_s);
        QVERIFY(save->isEnabled());
        QVERIFY(window.findChild<QPlainTextEdit *>(u"Memo1"_s)->toPlainText().contains(u"X0\u2400\u241a\u00e9<85>"_s));

        save->click();
        QCOMPARE(dialogs.shownTexts(), QStringList {u"ERROR: Please fill the \"Destination File Name\" field."_s});
        QCOMPARE(window.focusWidget()->objectName(), u"Edit8"_s);
        dialogs.clear();

        const QString path = m_current.ProgramsDir + u"O0001.nc"_s;
        TestFiles::write(path, "old");
        edit(window, u"Edit8"_s)->setText(u"O0001.nc"_s);
        dialogs.answerNext(UserDialogs::Answer::No);
        save->click();
        QCOMPARE(
            dialogs.shownTexts(),
            QStringList {u"QUESTION: The File \""_s + path + u"\"already exists. Would You Like to Replace File ?"_s});
        QCOMPARE(TestFiles::read(path), QByteArray("old"));
        QCOMPARE(window.result(), int(QDialog::Rejected));
        dialogs.clear();

        dialogs.answerNext(UserDialogs::Answer::Yes);
        save->click();
        QCOMPARE(dialogs.shownTexts().last(),
                 QString(u"INFORMATION: The File \""_s + path + u"\"was saved successfully."_s));
        QCOMPARE(TestFiles::read(path), program);
        QCOMPARE(window.result(), int(QDialog::Accepted));
        QVERIFY(!window.line().isOpen());
    }

    void cancelOffersToSave()
    {
        if (!startLine()) {
            QSKIP("socat is not available");
        }
        ScriptedDialogs dialogs;
        TForm_Transfer_SERIAL232_R window(m_settings);
        window.receiver().setIdleInterval(100);

        // Nothing received: Cancel just closes.
        QVERIFY(window.prepareReceive(m_current));
        button(window, u"BitBtn3"_s)->click();
        QVERIFY(dialogs.shown().isEmpty());
        QCOMPARE(window.result(), int(QDialog::Rejected));

        // Received and answered No: closed, nothing written.
        QVERIFY(window.prepareReceive(m_current));
        button(window, u"BitBtn2"_s)->click();
        machineSends("%\r\nN10\r\n%\r\n");
        QTRY_COMPARE(window.statusText(), u"CNC File Data Received successfully."_s);
        edit(window, u"Edit8"_s)->setText(u"O0002.nc"_s);
        dialogs.answerNext(UserDialogs::Answer::No);
        button(window, u"BitBtn3"_s)->click();
        QCOMPARE(dialogs.shownTexts(),
                 QStringList {u"QUESTION: Is there CNC data File to save. Would You Like to Save the File ?"_s});
        QVERIFY(!QFileInfo::exists(m_current.ProgramsDir + u"O0002.nc"_s));
        QVERIFY(!window.line().isOpen());
        dialogs.clear();

        // Received and answered Yes: saved and closed.
        QVERIFY(window.prepareReceive(m_current));
        button(window, u"BitBtn2"_s)->click();
        machineSends("%\nN20\n%\n");
        QTRY_COMPARE(window.statusText(), u"CNC File Data Received successfully."_s);
        edit(window, u"Edit8"_s)->setText(u"O0002.nc"_s);
        dialogs.answerNext(UserDialogs::Answer::Yes);
        button(window, u"BitBtn3"_s)->click();
        QCOMPARE(TestFiles::read(m_current.ProgramsDir + u"O0002.nc"_s), QByteArray("%\nN20\n%\n"));
        QCOMPARE(window.result(), int(QDialog::Accepted));
    }

    void aLineFailureKeepsTheReceivedDataForSaving()
    {
        if (!startLine()) {
            QSKIP("socat is not available");
        }
        ScriptedDialogs dialogs;
        TForm_Transfer_SERIAL232_R window(m_settings);
        window.receiver().setIdleInterval(10000);
        QVERIFY(window.prepareReceive(m_current));
        edit(window, u"Edit8"_s)->setText(u"O0003.nc"_s);
        button(window, u"BitBtn2"_s)->click();
        machineSends("%\r\nN10 G00\r\n");
        QTRY_COMPARE(window.receiver().data().size(), qsizetype(12));
        dialogs.answerNext(UserDialogs::Answer::Yes);
        stopLine();
        QTRY_COMPARE_WITH_TIMEOUT(dialogs.shownTexts().size(), 3, 10000);
        const QString path = m_current.ProgramsDir + u"O0003.nc"_s;
        QCOMPARE(dialogs.shownTexts(),
                 (QStringList {u"ERROR: Failure during Serial transfer. Form will be closed."_s,
                               u"QUESTION: Is there CNC data File to save. Would You Like to Save the File ?"_s,
                               u"INFORMATION: The File \""_s + path + u"\"was saved successfully."_s}));
        QCOMPARE(TestFiles::read(path), QByteArray("%\r\nN10 G00\r\n"));
        QCOMPARE(window.result(), int(QDialog::Accepted));
    }
};

QTEST_MAIN(SerialWindowsTest)
#include "SerialWindowsTest.moc"
