#pragma once

#include "tools/ToolRun.h"

/// Options of the XY mirroring tool.
struct MirrorOptions
{
    bool x = false; ///< negate X values
    bool y = false; ///< negate Y values
    bool swapG02 = false; ///< G02 → G03 (and G2 → G3)
    bool swapG03 = false; ///< G03 → G02 (and G3 → G2), on lines the G02 swap left unchanged
    bool swapG41 = false; ///< G41 → G42
    bool swapG42 = false; ///< G42 → G41, on lines the G41 swap left unchanged
    bool plus = false; ///< write "+" in front of values that are not negative
    QChar regionalSeparator = u'.'; ///< the user's decimal separator, accepted besides "."
};

/// Mirrors a CNC program about the Y axis, the X axis or both, and swaps the
/// circular-interpolation and cutter-compensation codes of the mirrored path.
class MirrorTool
{
public:
    /// Runs the tool over \a range of \a lines.
    static ToolResult run(const MirrorOptions &options, const ToolLines &lines, const ToolRange &range,
                          const ToolControl &control = {});

    /// Appends one line (trimmed), mirrored, to \a out; false when an X or Y value
    /// is not a number.
    static bool MirrorLine(QStringView line, const MirrorOptions &options, QString &out, LineFault &fault);

    /// Appends \a line with its first G word whose text is \a code (such as
    /// "G02") replaced by \a newCode to \a out and returns true; returns
    /// false, with \a out untouched, when there is none. A G word is "G" followed by the
    /// digits and "." up to the next other character, so "G2" is neither G20
    /// nor G2.5; nothing from the first stop character on is searched.
    static bool ReplaceFirst(QStringView line, QStringView code, QStringView newCode, QString &out);

    /// The status text of the progress window while the tool runs.
    static QString description();
};
