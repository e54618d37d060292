#pragma once

#include "tools/MirrorTool.h"
#include "tools/ToolWindow.h"

#include <array>

class QCheckBox;

/// The XY mirroring tool window: negates the X or Y values of a CNC program
/// and swaps the arc-direction and cutter-compensation codes.
class TForm_EDT5 : public ToolWindow
{
    Q_OBJECT

public:
    explicit TForm_EDT5(TForm_Main &main);

    /// The options as the window shows them.
    MirrorOptions options() const;

protected:
    ToolJob job() const override;
    QString description() const override;

private:
    std::array<QCheckBox *, 7> m_boxes;
};
