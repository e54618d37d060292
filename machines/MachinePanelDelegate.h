#pragma once

#include <QString>
#include <QStyledItemDelegate>

/// Paints one machine panel: the picture in a silver frame on the left and,
/// on the right, four rows of caption and value (number, description, type
/// and program directory; the creation and change dates further right when
/// shown). The selected panel is light sky blue, the others white.
class MachinePanelDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    static constexpr int kPictureSize = 100;
    static constexpr int kFrameSize = 104;
    static constexpr int kRowSpacing = 25;
    static constexpr int kPictureLeft = 8;

    /// Captions come from the catalogue keys of window \a captionWindow
    /// (Label8, Label15 … Label19), read at painting time so that they follow
    /// the language.
    MachinePanelDelegate(const QString &captionWindow, bool showDates, QObject *parent = nullptr);

    /// The height every panel gets.
    void setPanelHeight(int height) { m_panelHeight = height; }
    int panelHeight() const { return m_panelHeight; }

    /// Top of the first text row in a panel of \a height: the four rows are
    /// centred, but never closer than 10 pixels to the panel's top.
    static int panelTop(int height);
    /// Where the picture goes in a panel at \a panel (the frame is 2 pixels wider all round).
    static QRect pictureRect(const QRect &panel);

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;

private:
    QString caption(QStringView control) const;

    QString m_captionWindow;
    bool m_showDates;
    int m_panelHeight = 120;
};
