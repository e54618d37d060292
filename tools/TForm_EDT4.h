#pragma once

#include "tools/ToolWindow.h"
#include "tools/TranslateTool.h"

#include <array>

class QCheckBox;
class QLineEdit;

/// The XYZ translation tool window: adds an offset to every X, Y or Z value
/// of a CNC program.
class TForm_EDT4 : public ToolWindow
{
    Q_OBJECT

public:
    explicit TForm_EDT4(TForm_Main &main);

    /// The options as the window shows them.
    TranslateOptions options() const;

    /// True when typing \a text into an offset field is let through: digits,
    /// "+", "-", the regional decimal separator \a separator, and control
    /// characters such as the backspace.
    static bool acceptsTyped(const QString &text, QChar separator);

protected:
    /// Offsets left blank become "0".
    void prepareRun() override;
    ToolJob job() const override;
    QString description() const override;
    void updateAccessibleNames() override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void axisClicked(int axis, bool checked);

    std::array<QCheckBox *, 3> m_axes;
    std::array<QLineEdit *, 3> m_offsets;
    QCheckBox *m_plus;
};
