#pragma once

#include "tools/SpacesTool.h"
#include "tools/ToolWindow.h"

class QRadioButton;

/// The spaces tool window: removes the blanks of a CNC program, or puts one
/// before each address letter.
class TForm_EDT1 : public ToolWindow
{
    Q_OBJECT

public:
    explicit TForm_EDT1(TForm_Main &main);

    /// The options as the window shows them.
    SpacesOptions options() const;

protected:
    ToolJob job() const override;
    QString description() const override;

private:
    QRadioButton *m_remove;
    QRadioButton *m_add;
};
