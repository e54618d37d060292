#pragma once

#include "tools/ArcCentreTool.h"
#include "tools/ToolWindow.h"

class QCheckBox;
class QRadioButton;

/// The I/J conversion tool window: converts the arc-centre words I and J of
/// a CNC program to absolute or to incremental values.
class TForm_EDT3 : public ToolWindow
{
    Q_OBJECT

public:
    explicit TForm_EDT3(TForm_Main &main);

    /// The options as the window shows them.
    ArcCentreOptions options() const;

protected:
    ToolJob job() const override;
    QString description() const override;

private:
    QRadioButton *m_incremental;
    QRadioButton *m_absolute;
    QCheckBox *m_plus;
};
