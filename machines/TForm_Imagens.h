#pragma once

#include <QPixmap>
#include <QSize>
#include <QWidget>

/// Holds the seven built-in machine pictures, drawn as line art: 1 vertical
/// machining centre, 2 horizontal machining centre, 3 gantry mill, 4 CNC
/// lathe, 5 slant-bed turning centre, 6 industrial robot arm, 7 3D printer.
/// The window is never shown; the places that show a machine take their
/// pictures from it.
class TForm_Imagens : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kPictureCount = 7;
    static constexpr int kPictureSize = 320;

    explicit TForm_Imagens(QWidget *parent = nullptr);

    /// Picture \a number (1–7) rendered at \a size; a null pixmap for any
    /// other number.
    static QPixmap picture(int number, QSize size = QSize(kPictureSize, kPictureSize));
};
