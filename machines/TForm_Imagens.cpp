#include "machines/TForm_Imagens.h"

#include <QHash>
#include <QLabel>
#include <QPainter>
#include <QSvgRenderer>

TForm_Imagens::TForm_Imagens(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("Form_Imagens"));
    for (int n = 1; n <= kPictureCount; ++n) {
        auto *image = new QLabel(this);
        image->setObjectName(QStringLiteral("Image%1").arg(n));
        image->setPixmap(picture(n));
        image->setGeometry((n - 1) * kPictureSize, 0, kPictureSize, kPictureSize);
    }
}

QPixmap TForm_Imagens::picture(int number, QSize size)
{
    if (number < 1 || number > kPictureCount || size.isEmpty()) {
        return {};
    }
    // Each picture is drawn once per size and shared; a list repaints its
    // panels often.
    static QHash<QPair<int, QPair<int, int>>, QPixmap> drawn;
    const auto key = qMakePair(number, qMakePair(size.width(), size.height()));
    if (const auto found = drawn.constFind(key); found != drawn.constEnd()) {
        return *found;
    }
    QSvgRenderer renderer(QStringLiteral(":/machines/pictures/machine%1.svg").arg(number));
    QPixmap pixmap(size);
    pixmap.fill(Qt::white);
    if (renderer.isValid()) {
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        renderer.render(&painter);
    }
    drawn.insert(key, pixmap);
    return pixmap;
}
