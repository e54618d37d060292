#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <array>
#include <functional>

/// A document's lines as views (without line breaks) into text that outlives
/// the run.
using ToolLines = QList<QStringView>;

/// The lines a tool works on: the whole document ("Apply throughout File") or
/// the lines first … last as the user counts them, from 1 ("Apply the line").
struct ToolRange
{
    bool wholeFile = true;
    int first = 1;
    int last = 1;

    static ToolRange whole() { return {}; }
    static ToolRange lines(int first, int last) { return {false, first, last}; }
};

/// The message log entry of a completed run: its title and four detail lines
/// (blank ones are left out when the entry is added).
struct ToolLogEntry
{
    QString title;
    std::array<QString, 4> details;
};

/// A line the run rewrote: its 0-based index and its new text.
struct LineChange
{
    qsizetype index = 0;
    QStringView text; ///< a view into ToolResult::changedText

    friend bool operator==(const LineChange &, const LineChange &) = default;
};

/// Why a line cannot be rewritten; ends the run.
struct LineFault
{
    enum class Kind {
        NotANumber, ///< a word's value is not a number
        BlockNumberTooLarge, ///< a block number would pass 2147483647
    };
    Kind kind = Kind::NotANumber;
    QString text; ///< the offending text (a word, or the line)
};

/// A refused run: where and why. Nothing of the document is to be changed.
struct ToolRefusal
{
    qsizetype lineNumber = 0; ///< counted from 1; 0 when no line was read (an invalid offset)
    QString text; ///< the offending text
    QString message; ///< the complete "ERROR: " text for the user
};

enum class ToolStatus {
    Completed, ///< apply the changes as one step and add the log entry
    Cancelled, ///< nothing to apply, no log entry
    Refused, ///< nothing to apply, no log entry; show the refusal
};

/// The outcome of a tool run over a document's lines. The texts of the
/// changes are views into changedText: they stay valid while this result (or
/// an unmodified copy of it) lives.
struct ToolResult
{
    ToolStatus status = ToolStatus::Completed;
    QList<LineChange> changes; ///< by increasing index; only when completed
    QString changedText; ///< holds the texts of the changes one after the other; not to be modified
    ToolLogEntry log; ///< only when completed
    ToolRefusal refusal; ///< only when refused

    bool completed() const { return status == ToolStatus::Completed; }
};

/// What a run asks of its caller while it works. Both are optional, may be
/// called from the thread running the tool, and are called at a coarse
/// granularity (every few thousand lines at most, never for every line of a
/// large document).
struct ToolControl
{
    /// Polled between lines; returning true ends the run as cancelled.
    std::function<bool()> isCancelled;
    /// The index reached, as a whole percentage of the document's lines
    /// (0 for a document without lines); called when the value changes.
    std::function<void(int percent)> progress;
};

/// How a tool takes each line of the document.
enum class LineReading {
    Trimmed, ///< blanks around the text removed
    UntrimmedSkippingBlank, ///< as it stands; blank lines are not passed on
};

/// A tool's work on one line: appends the new text of \a line to \a out,
/// or returns false and describes the fault.
using LineTransform = std::function<bool(QStringView line, QString &out, LineFault &fault)>;

/// The frame shared by the CNC program tools: the line range, reading the
/// lines, the rule for writing a line back, cancel and progress, the range
/// line of the log entry and the refusals.
class ToolRun
{
public:
    /// Runs \a transform over the lines of \a range. A line is reported as
    /// changed only when its new text, blanks trimmed, differs from the old
    /// one, blanks trimmed; the change then carries the new text untrimmed.
    /// An empty \a transform means the tool has nothing to do: no line is
    /// visited and the run completes. \a log gets the range text as its
    /// fourth detail line.
    static ToolResult run(const ToolLines &lines, const ToolRange &range, LineReading reading,
                          const LineTransform &transform, ToolLogEntry log, const ToolControl &control = {});

    /// The fourth detail line of a log entry: "Function Applied across File"
    /// or "Function applied on line A up the line B of the File".
    static QString rangeText(const ToolRange &range);

    /// A run refused before any line was read because \a offset is not a
    /// number.
    static ToolResult refuseOffset(const QString &offset);

    /// The user's message for a fault on line \a lineNumber (from 1).
    static QString faultMessage(qsizetype lineNumber, const LineFault &fault);

    /// Splits '\n'-joined text into lines; an empty text is one empty line.
    static ToolLines splitLines(QStringView text);

    /// Views of \a lines.
    static ToolLines viewLines(const QStringList &lines);

    /// \a lines joined by '\n' with \a changes applied.
    static QString joinLines(const ToolLines &lines, const QList<LineChange> &changes);

    /// The tool's percentage for line index \a index of \a count lines,
    /// rounded to the nearest whole number (halves to even).
    static int percent(qsizetype index, qsizetype count);
};
