#pragma once

#include <QColor>
#include <QDialog>

#include <array>
#include <functional>

class QFrame;
class QLabel;
class QLineEdit;
class QToolButton;
class Ribbon;
class TForm_Main;

/// The G-code colour window: one row per highlighter colour (label, colour
/// name, swatch, button to choose the colour). Apply stores all 22 colours in
/// the editor settings file and in the main window's settings, then lets the
/// main window rebuild the highlighter of every open document; Cancel
/// changes nothing.
class TForm_EDT_COR : public QDialog
{
    Q_OBJECT

public:
    static constexpr int kRows = 22;

    explicit TForm_EDT_COR(TForm_Main &main);

    /// The ribbon's "G Code Color" button: prepare() and show modally.
    void open() override;

    /// Everything open() does before the modal show: caption, rows filled
    /// from the stored colours, normal state, centred on the screen.
    void prepare();

    /// Called after a successful Apply has stored the colours, to give every
    /// open document a highlighter with the new colours.
    void setColoursAppliedHook(std::function<void()> hook) { m_coloursApplied = std::move(hook); }

    /// True when the last showing ended with a successful Apply.
    bool coloursApplied() const { return m_applied; }

    /// The colour row \a row (0-based) holds now, as a Windows colour value.
    qint32 rowColour(int row) const { return m_values.at(row); }

protected:
    void changeEvent(QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    struct Row
    {
        QLabel *label = nullptr;
        QLineEdit *name = nullptr;
        QFrame *swatch = nullptr;
        QToolButton *button = nullptr;
    };

    void setRowColour(int row, qint32 value);
    void chooseColour(int row);
    void BitBtn1Click();
    void updateAccessibleNames();

    TForm_Main &m_main;
    Ribbon *m_ribbon;
    std::array<Row, kRows> m_rows;
    std::array<qint32, kRows> m_values {};
    QColor m_lastColour {Qt::black};
    bool m_applied = false;
    std::function<void()> m_coloursApplied;
};
