#include "app/TForm_Screen.h"

#include <QEventLoop>
#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QProgressBar>
#include <QScreen>
#include <QSvgRenderer>
#include <QVBoxLayout>

using namespace std::chrono_literals;

TForm_Screen::TForm_Screen(QWidget *parent)
    : QDialog(parent, Qt::SplashScreen | Qt::FramelessWindowHint)
    , m_loading(new QLabel(QStringLiteral("Inicializando"), this))
{
    setObjectName(QStringLiteral("Form_Screen"));
    setFixedSize(600, 400);

    m_loading->setObjectName(QStringLiteral("Label1"));
    auto *developedBy = new QLabel(QStringLiteral("Desenvolvido Por :"), this);
    developedBy->setObjectName(QStringLiteral("Label2"));
    auto *maker = new QLabel(QStringLiteral("VORN Software"), this);
    maker->setObjectName(QStringLiteral("Label3"));
    auto *bar = new QProgressBar(this);
    bar->setObjectName(QStringLiteral("ProgressBar1"));
    bar->setRange(0, 0); // marquee
    bar->setTextVisible(false);
    bar->setFixedHeight(12);

    for (QLabel *label : {m_loading, developedBy, maker}) {
        label->setStyleSheet(QStringLiteral("color: white;"));
    }
    auto *credits = new QHBoxLayout;
    credits->addWidget(m_loading);
    credits->addStretch(1);
    credits->addWidget(developedBy);
    credits->addWidget(maker);
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(16, 16, 16, 12);
    column->addStretch(1);
    column->addLayout(credits);
    column->addWidget(bar);

    m_dots.setInterval(500ms);
    connect(&m_dots, &QTimer::timeout, this, [this] { m_loading->setText(m_loading->text() + u'.'); });
    m_close.setSingleShot(true);
}

int TForm_Screen::exec()
{
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
    // An own loop rather than QDialog::exec(): the timers start after the
    // window is shown and can only fire inside the loop, so even a zero
    // duration cannot close the window before the loop runs.
    setWindowModality(Qt::ApplicationModal);
    show();
    QEventLoop loop;
    connect(&m_close, &QTimer::timeout, &loop, &QEventLoop::quit);
    m_close.start(m_duration);
    m_dots.start();
    loop.exec(QEventLoop::DialogExec);
    m_dots.stop();
    hide();
    return QDialog::Accepted;
}

void TForm_Screen::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    static QSvgRenderer picture(QStringLiteral(":/app/splash.svg"));
    picture.render(&painter, QRectF(rect()));
    painter.setPen(QPen(QColor(0, 0, 128), 6)); // navy frame
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(rect()).adjusted(3, 3, -3, -3));
}
