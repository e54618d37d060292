#include "transfer/TForm_Transfer_SERIAL232_R.h"

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
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QStatusBar>
#include <QTimer>
#include <QVBoxLayout>

TForm_Transfer_SERIAL232_R::TForm_Transfer_SERIAL232_R(const ProgramSettings &settings, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
    , m_settings(settings)
    , m_line(SerialFlow::None)
    , m_ribbon(new Ribbon(QStringLiteral("Ribbon1"), this))
    , m_panel(new SerialLinePanel(m_line, this))
    , m_textFrame(new QGroupBox(QStringLiteral(" Arquivo CNC "), this))
    , m_text(new QPlainTextEdit(m_textFrame))
    , m_receive(new QPushButton(QStringLiteral("&Receber Arquivo CNC"), this))
    , m_save(new QPushButton(QStringLiteral("&Salvar Arquivo CNC"), this))
    , m_cancel(new QPushButton(QStringLiteral("&Cancelar"), this))
    , m_statusBar(new QStatusBar(this))
    , m_status(new QLabel(this))
{
    setObjectName(QStringLiteral("Form_Transfer_SERIAL232_R"));
    setWindowTitle(QStringLiteral("Form_Transfer_SERIAL232_R"));
    m_ribbon->setCaption(QStringLiteral("VORN Transfer - Vs.2.3.0 - Receber Programa"));
    connect(m_ribbon, &Ribbon::helpRequested, this,
            [this] { HelpPages::open(m_settings.HelpDir, QStringLiteral("func03.5.3.html")); });

    m_directory
        = m_panel->addField(QStringLiteral("Label7"), QStringLiteral("Diretório Local :"), QStringLiteral("Edit7"));
    m_destination = m_panel->addField(QStringLiteral("Label13"), QStringLiteral("Nome do Arquivo Destino :"),
                                      QStringLiteral("Edit8"));
    m_destination->setReadOnly(false);
    m_destinationLabel = m_panel->findChild<QLabel *>(QStringLiteral("Label13"));

    m_textFrame->setObjectName(QStringLiteral("GroupBox2"));
    m_text->setObjectName(QStringLiteral("Memo1"));
    m_text->setReadOnly(true);
    m_text->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    m_text->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    m_text->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_text->setMinimumSize(520, 220);
    auto *frame = new QVBoxLayout(m_textFrame);
    frame->addWidget(m_text);

    m_receive->setObjectName(QStringLiteral("BitBtn2"));
    m_save->setObjectName(QStringLiteral("BitBtn4"));
    m_cancel->setObjectName(QStringLiteral("BitBtn3"));
    connect(m_receive, &QPushButton::clicked, this, &TForm_Transfer_SERIAL232_R::BitBtn2Click);
    connect(m_save, &QPushButton::clicked, this, &TForm_Transfer_SERIAL232_R::BitBtn4Click);
    connect(m_cancel, &QPushButton::clicked, this, &TForm_Transfer_SERIAL232_R::BitBtn3Click);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_receive);
    buttons->addWidget(m_save);
    buttons->addWidget(m_cancel);

    m_statusBar->setObjectName(QStringLiteral("StatusBar1"));
    m_statusBar->setSizeGripEnabled(false);
    m_status->setObjectName(QStringLiteral("StatusText"));
    m_statusBar->addWidget(m_status, 1);

    auto *column = new QVBoxLayout(this);
    column->addWidget(m_ribbon);
    column->addWidget(m_panel);
    column->addWidget(m_textFrame, 1);
    column->addLayout(buttons);
    column->addWidget(m_statusBar);

    connect(&m_receiver, &SerialReceiver::bytesArrived, this, &TForm_Transfer_SERIAL232_R::onBytesArrived);
    connect(&m_receiver, &SerialReceiver::completed, this, &TForm_Transfer_SERIAL232_R::onCompleted);
    connect(&m_receiver, &SerialReceiver::failed, this, &TForm_Transfer_SERIAL232_R::onFailed);
}

TForm_Transfer_SERIAL232_R::~TForm_Transfer_SERIAL232_R()
{
    m_receiver.stop();
    m_line.close();
}

bool TForm_Transfer_SERIAL232_R::prepareReceive(const CurrentMachine &machine)
{
    m_receiver.stop();
    m_receiver.clear();
    m_line.close();
    setWindowState(Qt::WindowNoState);
    m_ribbon->setCaption(T(u"Form_Transfer_SERIAL232_R.Ribbon1"));
    m_text->clear();
    m_textFrame->setVisible(true);
    m_lineSettings.apply(machine);
    m_line.configure(m_lineSettings.port,
                     SerialPortSettings::devicePath(m_lineSettings.port.portName, m_settings.transferIniPath()));
    m_panel->showSettings(m_lineSettings);
    m_directory->setText(machine.ProgramsDir);
    m_destination->clear();
    m_destination->setVisible(true);
    m_destinationLabel->setVisible(true);
    m_receive->setVisible(true);
    m_save->setVisible(true);
    setButtonsEnabled(true);
    setStatusText(QString());
    setResult(QDialog::Rejected);
    centre();
    return true;
}

void TForm_Transfer_SERIAL232_R::BitBtn2Click()
{
    m_receiver.stop();
    m_receiver.clear();
    m_line.close();
    m_text->clear();
    setButtonsEnabled(false);
    // The port reports a failed open as a port error too; the reception listens
    // only once the port is open, so that failure is not taken for a line failure.
    if (!m_line.open()) {
        // Only Cancel remains.
        MessageBoxes::showStandardError(this, m_line.errorString());
        return;
    }
    m_receiver.start(m_line.port());
    m_panel->refreshLamps();
    setStatusText(T(u"Msg.SerialRx.Waiting"));
}

bool TForm_Transfer_SERIAL232_R::BitBtn4Click()
{
    const QByteArray &data = m_receiver.data();
    if (data.isEmpty()) {
        MessageBoxes::show(this, T(u"Msg.SerialRx.NoData"));
        return false;
    }
    if (m_destination->text().trimmed().isEmpty()) {
        MessageBoxes::show(this, T(u"Msg.SerialRx.FillDestination"));
        m_destination->setFocus();
        return false;
    }
    const QString path = m_directory->text() + m_destination->text();
    if (QFileInfo::exists(path)
        && !MessageBoxes::ask(this, T(u"Msg.File.ReplacePrefix") + path + T(u"Msg.File.ReplaceSuffix"))) {
        m_destination->setFocus();
        return false;
    }
    QString error;
    if (!SerialReceiver::save(path, data, &error)) {
        MessageBoxes::showStandardError(this, error);
        return false;
    }
    MessageBoxes::show(this, T(u"Msg.SerialRx.SavedPrefix") + path + T(u"Msg.SerialRx.SavedSuffix"));
    m_line.close();
    accept();
    return true;
}

void TForm_Transfer_SERIAL232_R::BitBtn3Click()
{
    if (m_receiver.data().isEmpty()) {
        QDialog::reject();
        return;
    }
    if (MessageBoxes::ask(this, T(u"Msg.SerialRx.SaveQuestion"))) {
        BitBtn4Click();
    } else {
        QDialog::reject();
    }
}

void TForm_Transfer_SERIAL232_R::reject()
{
    // Closing the window any other way offers to save too: received data is never dropped unasked.
    BitBtn3Click();
}

void TForm_Transfer_SERIAL232_R::done(int result)
{
    m_receiver.stop();
    m_line.close();
    QDialog::done(result);
}

void TForm_Transfer_SERIAL232_R::onBytesArrived(qsizetype count, const QString &text)
{
    QTextCursor end(m_text->document());
    end.movePosition(QTextCursor::End);
    end.insertText(text);
    m_text->verticalScrollBar()->setValue(m_text->verticalScrollBar()->maximum());
    setStatusText(T(u"Msg.SerialRx.ReceivedData") + QString::number(count));
    m_text->setFocus();
}

void TForm_Transfer_SERIAL232_R::onCompleted()
{
    setButtonsEnabled(true);
    setStatusText(T(u"Msg.SerialRx.Done"));
}

void TForm_Transfer_SERIAL232_R::onFailed(const QString &reason)
{
    m_line.close();
    setButtonsEnabled(true);
    setStatusText(reason);
    MessageBoxes::show(this, T(u"Msg.SerialRx.Failure"), MessageKind::Error);
    // What arrived before the failure is kept: the operator may still save it.
    BitBtn3Click();
}

void TForm_Transfer_SERIAL232_R::setButtonsEnabled(bool enabled)
{
    m_receive->setEnabled(enabled);
    m_save->setEnabled(enabled);
}

QString TForm_Transfer_SERIAL232_R::statusText() const
{
    return m_status->text();
}

void TForm_Transfer_SERIAL232_R::setStatusText(const QString &text)
{
    m_status->setText(text);
}

void TForm_Transfer_SERIAL232_R::centre()
{
    WindowPlacement::centreOnScreen(this);
}

void TForm_Transfer_SERIAL232_R::changeEvent(QEvent *event)
{
    QDialog::changeEvent(event);
    WindowPlacement::returnFromMaximised(this, event, [this] { centre(); });
}
