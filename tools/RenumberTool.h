#pragma once

#include "tools/ToolRun.h"

/// Options of the block renumbering tool.
struct RenumberOptions
{
    int digits = 0; ///< pad block numbers to this many digits (1 … 9); 0 for no padding
    bool renumber = false; ///< renumber from start by increment
    int start = 0; ///< the first block number given (0 … 100000000)
    int increment = 1; ///< the step between block numbers (1 … 100000000)
};

/// Rewrites the block numbers ("N" words) at the start of the lines of a CNC
/// program: renumbering them, padding them to a digit count, or both; lines
/// that begin a block without a number receive one.
class RenumberTool
{
public:
    /// The largest digit count.
    static constexpr int kMaxDigits = 9;
    /// The largest start value and increment.
    static constexpr int kMaxSpinValue = 100000000;

    /// Runs the tool over \a range of \a lines. Options outside their
    /// limits are taken at the nearest limit.
    static ToolResult run(const RenumberOptions &options, const ToolLines &lines, const ToolRange &range,
                          const ToolControl &control = {});

    /// Appends \a line (untrimmed, not blank) with its block number
    /// rewritten to \a out. \a BlockNumber is the last block number written; it advances
    /// when the line receives a number. A line containing "#" or "%", or
    /// whose leading "N" has no digits, is left exactly as it was. Returns
    /// false when the number would pass 2147483647.
    static bool RenumberLine(QStringView line, const RenumberOptions &options, qint32 &BlockNumber, QString &out,
                             LineFault &fault);

    /// True for the characters with which a line without a block number must
    /// begin to receive one.
    static bool isBlockNumberStarter(QChar c);

    /// The status text of the progress window while the tool runs.
    static QString description();
};
