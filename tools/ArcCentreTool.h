#pragma once

#include "tools/CncNumber.h"
#include "tools/ToolRun.h"

/// Which way the arc-centre words are converted.
enum class ArcCentreMode {
    None, ///< nothing to convert
    ToAbsolute, ///< incremental I, J to absolute: I + X, J + Y
    ToIncremental, ///< absolute I, J to incremental: I - X, J - Y
};

/// Options of the arc-centre (I/J) conversion tool.
struct ArcCentreOptions
{
    ArcCentreMode mode = ArcCentreMode::None;
    bool plus = false; ///< write "+" in front of values that are not negative
    QChar regionalSeparator = u'.'; ///< the user's decimal separator, accepted besides "."
};

/// Converts the arc-centre words I and J of a CNC program between distances
/// from the block's reference point (incremental) and centre coordinates
/// (absolute), following the X and Y position through the lines.
class ArcCentreTool
{
public:
    /// The X and Y position reached by the lines converted so far.
    struct Position
    {
        CncNumber x;
        CncNumber y;
    };

    /// Runs the tool over \a range of \a lines. The position starts at 0, 0
    /// at the first line of the range.
    static ToolResult run(const ArcCentreOptions &options, const ToolLines &lines, const ToolRange &range,
                          const ToolControl &control = {});

    /// Appends one line (trimmed), converted, to \a out: the line's own X and Y words,
    /// when it has them, move \a position first, then I is shifted by X and
    /// J by Y. Returns false when an X or Y value used as the position, or
    /// an I or J value, is not a number.
    static bool ConvertLine(QStringView line, const ArcCentreOptions &options, Position &position, QString &out,
                            LineFault &fault);

    /// The status text of the progress window while the tool runs.
    static QString description();
};
