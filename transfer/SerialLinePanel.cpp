#include "transfer/SerialLinePanel.h"

#include "app/NamedControls.h"
#include "transfer/SerialLine.h"
#include "transfer/SerialWindowSettings.h"

#include <QDateTime>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {

constexpr int kPollInterval = 100;
/// How long RX and TX stay lit after bytes moved, so that a short burst shows.
constexpr qint64 kFlashMs = 150;

} // namespace

SerialLinePanel::SerialLinePanel(SerialLine &line, QWidget *parent)
    : QGroupBox(QStringLiteral(" Dados da Transferência "), parent)
    , m_line(line)
    , m_grid(new QGridLayout)
{
    setObjectName(QStringLiteral("GroupBox1"));
    static constexpr std::array<QStringView, 6> kCaptions
        = {u"Porta COM :", u"Velocidade :",     u"Bits de Dados :",
           u"Paridade :",  u"Bits de Parada :", u"Controle de Fluxo :"};
    for (int i = 0; i < 6; ++i) {
        auto *label = new QLabel(kCaptions[std::size_t(i)].toString(), this);
        label->setObjectName(QStringLiteral("Label%1").arg(i + 1));
        m_fields[std::size_t(i)] = NamedControls::namedEdit(QStringLiteral("Edit%1").arg(i + 1), 120, true, this);
        label->setBuddy(m_fields[std::size_t(i)]);
        m_grid->addWidget(label, i / 2, (i % 2) * 2);
        m_grid->addWidget(m_fields[std::size_t(i)], i / 2, (i % 2) * 2 + 1);
    }

    static constexpr std::array<QStringView, 5> kLampCaptions = {u"CTS", u"DSR", u"RLSD", u"RX", u"TX"};
    auto *lamps = new QHBoxLayout;
    for (int i = 0; i < 5; ++i) {
        auto *lamp = new QLabel(this);
        lamp->setObjectName(QStringLiteral("Lamp%1").arg(i + 1));
        lamp->setFixedSize(14, 14);
        lamp->setAccessibleName(kLampCaptions[std::size_t(i)].toString());
        m_lamps[std::size_t(i)] = lamp;
        auto *caption = new QLabel(kLampCaptions[std::size_t(i)].toString(), this);
        caption->setObjectName(QStringLiteral("Label%1").arg(i + 8));
        lamps->addWidget(lamp);
        lamps->addWidget(caption);
        lamps->addSpacing(8);
        setLit(i, false);
    }
    lamps->addStretch(1);

    auto *column = new QVBoxLayout(this);
    column->addLayout(m_grid);
    column->addLayout(lamps);

    m_poll.setInterval(kPollInterval);
    connect(&m_poll, &QTimer::timeout, this, &SerialLinePanel::refreshLamps);
    watchPort();
}

void SerialLinePanel::watchPort()
{
    QSerialPort &port = m_line.port();
    connect(&port, &QSerialPort::readyRead, this, [this] {
        m_rxUntil = QDateTime::currentMSecsSinceEpoch() + kFlashMs;
        refreshLamps();
    });
    connect(&port, &QSerialPort::bytesWritten, this, [this] {
        m_txUntil = QDateTime::currentMSecsSinceEpoch() + kFlashMs;
        refreshLamps();
    });
    connect(&port, &QIODevice::aboutToClose, this, [this] {
        m_poll.stop();
        QTimer::singleShot(0, this, &SerialLinePanel::refreshLamps);
    });
}

void SerialLinePanel::showSettings(const SerialWindowSettings &settings)
{
    const std::array<const QString *, 6> texts
        = {&settings.shownPort,   &settings.shownSpeed,    &settings.shownDataBits,
           &settings.shownParity, &settings.shownStopBits, &settings.shownFlow};
    for (std::size_t i = 0; i < texts.size(); ++i) {
        m_fields[i]->setText(*texts[i]);
    }
}

QLineEdit *SerialLinePanel::addField(const QString &labelName, const QString &caption, const QString &editName)
{
    const int row = m_grid->rowCount();
    auto *label = new QLabel(caption, this);
    label->setObjectName(labelName);
    auto *edit = NamedControls::namedEdit(editName, 120, true, this);
    label->setBuddy(edit);
    m_grid->addWidget(label, row, 0);
    m_grid->addWidget(edit, row, 1, 1, 3);
    return edit;
}

void SerialLinePanel::refreshLamps()
{
    QSerialPort &port = m_line.port();
    if (!port.isOpen()) {
        m_poll.stop();
        for (int i = 0; i < 5; ++i) {
            setLit(i, false);
        }
        return;
    }
    if (!m_poll.isActive()) {
        m_poll.start(); // polls only while the port is open
    }
    const QSerialPort::PinoutSignals pins = port.pinoutSignals();
    if (port.error() == QSerialPort::UnsupportedOperationError) {
        port.clearError(); // a line without modem signals (a pseudo-terminal)
    }
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    setLit(0, pins.testFlag(QSerialPort::ClearToSendSignal));
    setLit(1, pins.testFlag(QSerialPort::DataSetReadySignal));
    setLit(2, pins.testFlag(QSerialPort::DataCarrierDetectSignal));
    setLit(3, now < m_rxUntil);
    setLit(4, now < m_txUntil);
}

bool SerialLinePanel::isLit(int index) const
{
    return m_lamps[std::size_t(index)]->property("lit").toBool();
}

void SerialLinePanel::setLit(int index, bool lit)
{
    QLabel *lamp = m_lamps[std::size_t(index)];
    if (lamp->property("lit").isValid() && lamp->property("lit").toBool() == lit) {
        return;
    }
    lamp->setProperty("lit", lit);
    lamp->setStyleSheet(lit ? QStringLiteral("background: #30d030; border: 1px solid #206020; border-radius: 7px;")
                            : QStringLiteral("background: #305030; border: 1px solid #202020; border-radius: 7px;"));
}
