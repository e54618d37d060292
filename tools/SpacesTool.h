#pragma once

#include "tools/ToolRun.h"

/// The spaces tool's choice.
enum class SpacesChoice {
    None, ///< nothing to do
    Remove, ///< "Remove Spaces"
    Add, ///< "Add Space"
};

/// Options of the spaces tool.
struct SpacesOptions
{
    SpacesChoice choice = SpacesChoice::None;
};

/// Puts a blank in front of each address letter of a CNC program, or takes
/// the blanks out, in the G-code part of each line.
class SpacesTool
{
public:
    /// Runs the tool over \a range of \a lines.
    static ToolResult run(const SpacesOptions &options, const ToolLines &lines, const ToolRange &range,
                          const ToolControl &control = {});

    /// Appends \a line to \a out with a blank put before each letter that
    /// receives one, up to and including the first "(" or "{" and up to the
    /// first "#" or "%".
    static void AddSpaces(QStringView line, QString &out);
    static QString AddSpaces(QStringView line);

    /// Appends \a line to \a out without its blanks (U+0020) before the
    /// first "#", "%", "(" or "{".
    static void RemoveSpaces(QStringView line, QString &out);
    static QString RemoveSpaces(QStringView line);

    /// The status text of the progress window while the tool runs.
    static QString description();
};
