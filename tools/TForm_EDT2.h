#pragma once

#include "tools/RenumberTool.h"
#include "tools/ToolWindow.h"

class QCheckBox;
class QLabel;
class ToolSpinBox;

/// The block renumbering tool window: renumbers the blocks of a CNC program
/// from a start value by an increment, pads block numbers to a digit count,
/// or both.
class TForm_EDT2 : public ToolWindow
{
    Q_OBJECT

public:
    explicit TForm_EDT2(TForm_Main &main);

    /// The options as the window shows them.
    RenumberOptions options() const;

protected:
    void prepareRun() override;
    ToolJob job() const override;
    QString description() const override;
    void updateAccessibleNames() override;

private:
    void CheckBox1Click(bool checked);
    void CheckBox3Click(bool checked);

    QCheckBox *m_digitsBox;
    ToolSpinBox *m_digits;
    QCheckBox *m_renumberBox;
    QLabel *m_startLabel;
    ToolSpinBox *m_start;
    QLabel *m_incrementLabel;
    ToolSpinBox *m_increment;
};
