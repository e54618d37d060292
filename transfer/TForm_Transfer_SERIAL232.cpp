#include "transfer/TForm_Transfer_SERIAL232.h"

#include "app/HelpPages.h"
#include "app/MessageBoxes.h"
#include "app/ProgramSettings.h"
#include "app/Ribbon.h"
#include "app/WindowPlacement.h"
#include "i18n/Catalogue.h"
#include "machines/CurrentMachine.h"
#include "transfer/SerialLinePanel.h"

#include <QEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>
#include <QVBoxLayout>

#include <limits>

TForm_Transfer_SERIAL232::TForm_Transfer_SERIAL232(const ProgramSettings &settings, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
    , m_settings(settings)
    , m_line(SerialFlow::None)
    , m_ribbon(new Ribbon(QStringLiteral("Ribbon1"), this))
    , m_panel(new SerialLinePanel(m_line, this))
    , m_progressPanel(new QWidget(this))
    , m_bar(new QProgressBar(m_progressPanel))
    , m_percent(new QLabel(QStringLiteral("0%"), m_progressPanel))
    , m_send(new QPushButton(QStringLiteral("&Transferir Arquivo CNC"), this))
    , m_cancel(new QPushButton(QStringLiteral("&Cancelar"), this))
    , m_statusBar(new QStatusBar(this))
    , m_status(new QLabel(this))
{
    setObjectName(QStringLiteral("Form_Transfer_SERIAL232"));
    setWindowTitle(QStringLiteral("Form_Transfer_SERIAL232"));
    m_ribbon->setCaption(QStringLiteral("VORN Transfer - Vs.2.3.0 - Transferir Programa"));
    connect(m_ribbon, &Ribbon::helpRequested, this,
            [this] { HelpPages::open(m_settings.HelpDir, QStringLiteral("func03.4.3.html")); });

    m_origin
        = m_panel->addField(QStringLiteral("Label7"), QStringLiteral("Arquivo CNC Origem :"), QStringLiteral("Edit7"));
    m_origin->setMinimumWidth(360);

    m_progressPanel->setObjectName(QStringLiteral("Panel1"));
    m_bar->setObjectName(QStringLiteral("ProgressBar1"));
    m_bar->setMinimum(0);
    m_bar->setTextVisible(false);
    m_percent->setObjectName(QStringLiteral("Label14"));
    m_percent->setMinimumWidth(48);
    auto *progressRow = new QHBoxLayout(m_progressPanel);
    progressRow->setContentsMargins(0, 0, 0, 0);
    progressRow->addWidget(m_bar, 1);
    progressRow->addWidget(m_percent);

    m_send->setObjectName(QStringLiteral("BitBtn1"));
    m_send->setDefault(true);
    m_cancel->setObjectName(QStringLiteral("BitBtn3"));
    connect(m_send, &QPushButton::clicked, this, &TForm_Transfer_SERIAL232::BitBtn1Click);
    connect(m_cancel, &QPushButton::clicked, this, &TForm_Transfer_SERIAL232::BitBtn3Click);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_send);
    buttons->addWidget(m_cancel);

    m_statusBar->setObjectName(QStringLiteral("StatusBar1"));
    m_statusBar->setSizeGripEnabled(false);
    m_status->setObjectName(QStringLiteral("StatusText"));
    m_statusBar->addWidget(m_status, 1);

    auto *column = new QVBoxLayout(this);
    column->setSizeConstraint(QLayout::SetFixedSize);
    column->addWidget(m_ribbon);
    column->addWidget(m_panel);
    column->addWidget(m_progressPanel);
    column->addLayout(buttons);
    column->addWidget(m_statusBar);

    connect(&m_sender, &SerialSender::progressed, this, &TForm_Transfer_SERIAL232::showProgress);
    connect(&m_sender, &SerialSender::receivedDiscarded, this,
            [this](qint64 count) { setStatusText(T(u"Msg.Serial.ReceivedData") + QString::number(count)); });
    connect(&m_sender, &SerialSender::waitingForMachine, this, [this](bool waiting) {
        setStatusText(waiting ? T(u"Msg.Serial.WaitingForMachine") : T(u"Msg.Serial.Sending") + m_sendingPath + u'"');
    });
    connect(&m_sender, &SerialSender::finished, this, &TForm_Transfer_SERIAL232::onFinished);
    connect(&m_sender, &SerialSender::cancelled, this, &TForm_Transfer_SERIAL232::onCancelled);
    connect(&m_sender, &SerialSender::failed, this, &TForm_Transfer_SERIAL232::onFailed);
    resetProgress();
}

TForm_Transfer_SERIAL232::~TForm_Transfer_SERIAL232()
{
    disconnect(&m_sender, nullptr, this, nullptr);
    m_sender.cancel();
    m_line.close();
}

bool TForm_Transfer_SERIAL232::prepareSend(const CurrentMachine &machine, const QString &file)
{
    m_sender.cancel();
    m_line.close();
    setWindowState(Qt::WindowNoState);
    m_ribbon->setCaption(T(u"Form_Transfer_SERIAL232.Ribbon1"));
    m_lineSettings.apply(machine);
    m_line.configure(m_lineSettings.port,
                     SerialPortSettings::devicePath(m_lineSettings.port.portName, m_settings.transferIniPath()));
    m_panel->showSettings(m_lineSettings);
    m_origin->setText(file);
    m_send->setVisible(true);
    m_send->setEnabled(true);
    m_cancel->setEnabled(true);
    m_progressPanel->setVisible(true);
    resetProgress();
    setStatusText(QString());
    setResult(QDialog::Rejected);
    centre();
    return QFileInfo(file).isFile();
}

void TForm_Transfer_SERIAL232::BitBtn1Click()
{
    if (m_sender.isRunning()) {
        return;
    }
    m_send->setEnabled(false);
    if (!m_line.open()) {
        // The send button stays off: the settings must be put right in the register first.
        MessageBoxes::showStandardError(this, m_line.errorString());
        return;
    }
    m_panel->refreshLamps();
    m_sendingPath = m_origin->text();
    setStatusText(T(u"Msg.Serial.Sending") + m_sendingPath + u'"');
    if (!m_sender.start(m_line.port(), m_sendingPath)) {
        m_line.close();
        MessageBoxes::showStandardError(this, m_sender.errorString());
    }
}

void TForm_Transfer_SERIAL232::BitBtn3Click()
{
    if (m_sender.isRunning()) {
        m_sender.cancel(); // reports and closes the window
    } else {
        QDialog::reject();
    }
}

void TForm_Transfer_SERIAL232::reject()
{
    BitBtn3Click();
}

void TForm_Transfer_SERIAL232::done(int result)
{
    // Every way out leaves the port closed.
    m_line.close();
    QDialog::done(result);
}

void TForm_Transfer_SERIAL232::onFinished()
{
    m_line.close();
    setStatusText(T(u"Msg.Serial.StatusSentPrefix") + m_sendingPath + T(u"Msg.Serial.StatusSentSuffix"));
    m_send->setEnabled(true);
    MessageBoxes::show(this, T(u"Msg.Serial.SentPrefix") + m_sendingPath + T(u"Msg.Serial.SentSuffix"));
    resetProgress();
    accept();
}

void TForm_Transfer_SERIAL232::onCancelled()
{
    m_line.close();
    setStatusText(T(u"Msg.Serial.StatusCancelled"));
    MessageBoxes::show(this, T(u"Msg.Transfer.Cancelled"));
    resetProgress();
    QDialog::reject();
}

void TForm_Transfer_SERIAL232::onFailed(const QString &reason)
{
    m_line.close();
    setStatusText(reason);
    MessageBoxes::show(this, T(u"Msg.Serial.Failure"), MessageKind::Error);
    resetProgress();
    QDialog::reject();
}

void TForm_Transfer_SERIAL232::showProgress(qint64 sent, qint64 total)
{
    // A bar counts in int: files beyond its range are shown in larger units.
    qint64 unit = 1;
    while (total / unit > std::numeric_limits<int>::max()) {
        unit *= 2;
    }
    m_bar->setMaximum(int(total / unit));
    m_bar->setValue(int(sent / unit));
    m_percent->setText(QString::number(SerialSender::percent(sent, total)) + u'%');
}

void TForm_Transfer_SERIAL232::resetProgress()
{
    m_bar->setValue(0);
    m_percent->setText(QStringLiteral("0%"));
}

QString TForm_Transfer_SERIAL232::statusText() const
{
    return m_status->text();
}

void TForm_Transfer_SERIAL232::setStatusText(const QString &text)
{
    m_status->setText(text);
}

void TForm_Transfer_SERIAL232::centre()
{
    WindowPlacement::centreOnScreen(this);
}

void TForm_Transfer_SERIAL232::changeEvent(QEvent *event)
{
    QDialog::changeEvent(event);
    WindowPlacement::returnFromMaximised(this, event, [this] { centre(); });
}
