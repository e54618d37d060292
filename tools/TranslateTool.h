#pragma once

#include "tools/CncNumber.h"
#include "tools/ToolRun.h"

#include <optional>

/// Options of the XYZ translation tool. Offsets are texts as the user typed
/// them, in the regional number format.
struct TranslateOptions
{
    bool x = false;
    QString xOffset;
    bool y = false;
    QString yOffset;
    bool z = false;
    QString zOffset;
    bool plus = false; ///< write "+" in front of values that are not negative
    QChar regionalSeparator = u'.'; ///< the user's decimal separator
};

/// Shifts a CNC program along X, Y and Z by adding an offset to every value
/// of the chosen axis letters.
class TranslateTool
{
public:
    /// Runs the tool over \a range of \a lines. An offset of a chosen axis
    /// that is not a number refuses the run before any line is read.
    static ToolResult run(const TranslateOptions &options, const ToolLines &lines, const ToolRange &range,
                          const ToolControl &control = {});

    /// The offset the run uses for a typed text: "0" for a blank one,
    /// otherwise the text as typed.
    static QString offsetText(const QString &typed);

    /// The typed offset as a number: read, blanks trimmed, with the regional
    /// separator only; nothing when it is not a number.
    static std::optional<CncNumber> readOffset(const QString &typed, QChar regionalSeparator);

    /// The status text of the progress window while the tool runs.
    static QString description();
};
