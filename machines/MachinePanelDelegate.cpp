#include "machines/MachinePanelDelegate.h"

#include "i18n/Catalogue.h"
#include "machines/CurrentMachine.h"
#include "machines/MachineListModel.h"
#include "machines/TForm_Imagens.h"

#include <QLocale>
#include <QPainter>

#include <array>

namespace {

const QColor kSelected(0x87, 0xCE, 0xFA); // light sky blue
const QColor kSilver(0xC0, 0xC0, 0xC0);
constexpr int kTextHeight = 20;
constexpr int kGap = 8;

QString dateText(const QDateTime &date)
{
    return date.isValid() ? QLocale().toString(date, QLocale::ShortFormat) : QString();
}

} // namespace

MachinePanelDelegate::MachinePanelDelegate(const QString &captionWindow, bool showDates, QObject *parent)
    : QStyledItemDelegate(parent)
    , m_captionWindow(captionWindow)
    , m_showDates(showDates)
{ }

int MachinePanelDelegate::panelTop(int height)
{
    return std::max((height - 110) / 2 + 10, 10);
}

QRect MachinePanelDelegate::pictureRect(const QRect &panel)
{
    const int frameTop = panel.top() + panelTop(panel.height()) - 5;
    const int border = (kFrameSize - kPictureSize) / 2;
    return {panel.left() + kPictureLeft + border, frameTop + border, kPictureSize, kPictureSize};
}

QString MachinePanelDelegate::caption(QStringView control) const
{
    return T(QString(m_captionWindow + u'.' + control));
}

void MachinePanelDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    const auto *model = qobject_cast<const MachineListModel *>(index.model());
    if (!model) {
        return;
    }
    const MachineRow row = model->rowAt(index.row());
    const QRect panel = option.rect;

    painter->save();
    painter->setClipRect(panel);
    painter->fillRect(panel, (option.state & QStyle::State_Selected) ? kSelected : QColor(Qt::white));
    painter->setPen(kSilver);
    painter->drawLine(panel.bottomLeft(), panel.bottomRight());

    const QRect picture = pictureRect(panel);
    painter->setPen(QPen(kSilver, 2));
    painter->setBrush(Qt::NoBrush);
    painter->drawRect(picture.adjusted(-1, -1, 1, 1));
    if (const int number = pictureNumber(row.PictureCode); number > 0) {
        painter->drawPixmap(picture, TForm_Imagens::picture(number, picture.size()));
    }

    const std::array<QString, 4> captions
        = {caption(u"Label8"), caption(u"Label15"), caption(u"Label16"), caption(u"Label17")};
    const std::array<QString, 4> values = {row.Number, row.Description, row.TransferType, row.ProgramsDir};
    QFont bold = option.font;
    bold.setBold(true);
    const QFontMetrics boldMetrics(bold);
    int captionWidth = 0;
    for (const QString &text : captions) {
        captionWidth = std::max(captionWidth, boldMetrics.horizontalAdvance(text));
    }

    const int top = panel.top() + panelTop(panel.height());
    const int captionX = picture.right() + 2 + 2 * kGap;
    const int valueX = captionX + captionWidth + kGap;
    const int dateX = m_showDates ? std::max(panel.left() + panel.width() * 3 / 5, valueX + 240) : panel.right();
    const auto drawText = [&](int x, int y, int right, const QFont &font, const QString &text) {
        if (right <= x) {
            return;
        }
        painter->setFont(font);
        const QString shown = QFontMetrics(font).elidedText(text, Qt::ElideRight, right - x);
        painter->drawText(QRect(x, y, right - x, kTextHeight), Qt::AlignLeft | Qt::AlignVCenter, shown);
    };

    painter->setPen(option.palette.color(QPalette::Active, QPalette::WindowText));
    for (int i = 0; i < 4; ++i) {
        const int y = top + i * kRowSpacing;
        drawText(captionX, y, valueX - 1, bold, captions[std::size_t(i)]);
        const bool dated = m_showDates && i >= 2;
        drawText(valueX, y, (dated ? dateX : panel.right()) - kGap, option.font, values[std::size_t(i)]);
        if (dated) {
            const QString dateCaption = caption(i == 2 ? u"Label18" : u"Label19");
            const int dateValueX = dateX + boldMetrics.horizontalAdvance(dateCaption) + kGap;
            drawText(dateX, y, dateValueX - 1, bold, dateCaption);
            drawText(dateValueX, y, panel.right() - kGap, option.font, dateText(i == 2 ? row.Created : row.Changed));
        }
    }
    painter->restore();
}

QSize MachinePanelDelegate::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &) const
{
    return {option.rect.width(), m_panelHeight};
}
