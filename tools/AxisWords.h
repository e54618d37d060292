#pragma once

#include "tools/CncNumber.h"
#include "tools/ToolRun.h"

#include <QChar>
#include <QString>
#include <QStringView>

/// How the values of an address letter are written back.
struct AxisWordOptions
{
    bool plus = false; ///< write "+" in front of values that are not negative
    QChar regionalSeparator = u'.'; ///< the user's decimal separator, accepted besides "."
};

/// Reading and rewriting the words of one address letter in a CNC line, for
/// the arc-centre conversion, the translation and the mirroring.
///
/// A word is the letter (upper case, matched exactly) followed by the
/// characters of NumberChars that come directly after it. From the first of
/// StopChars on (macro variables, tape marks, comments) a line is neither read
/// nor changed. Every character that is not the value of a rewritten word is
/// copied unchanged and in place.
class AxisWords
{
public:
    /// Characters that make up a value; any other character ends it.
    static constexpr QStringView NumberChars = u"+,-.0123456789";
    /// Characters from which the rest of a line is not interpreted.
    static constexpr QStringView StopChars = u"#%(){}";

    static bool isNumberChar(QChar c)
    {
        const char16_t u = c.unicode();
        return u >= u'+' && u <= u'9' && u != u'/';
    }
    static bool isStopChar(QChar c)
    {
        const char16_t u = c.unicode();
        return u == u'#' || u == u'%' || u == u'(' || u == u')' || u == u'{' || u == u'}';
    }

    /// What happens to each value x of the letter: -x, or x + addend.
    struct Operation
    {
        bool negate = false;
        CncNumber addend;
    };

    /// Appends \a line with every value of \a letter rewritten to \a out. Each word is
    /// read on its own; a letter followed by no number character is left as
    /// written. A value containing "+" switches the "+" option on for the rest
    /// of the line. Returns false, with the word in \a fault, when a value is
    /// not a number ("X1..2", "Y+-3", "X-" before "[" or "#").
    static bool RewriteAxisWords(QStringView line, QChar letter, const Operation &operation,
                                 const AxisWordOptions &options, QString &out, LineFault &fault);

    /// x + reference (to absolute) or x - reference (to incremental).
    static bool ShiftByReference(QStringView line, QChar letter, const CncNumber &reference, bool toAbsolute,
                                 const AxisWordOptions &options, QString &out, LineFault &fault);

    /// x + offset.
    static bool AddOffset(QStringView line, QChar letter, const CncNumber &offset, const AxisWordOptions &options,
                          QString &out, LineFault &fault);

    /// -x.
    static bool NegateValue(QStringView line, QChar letter, const AxisWordOptions &options, QString &out,
                            LineFault &fault);

    /// The value text of the last \a letter word of \a line that has one, as
    /// written; empty when there is none.
    static QStringView ReadAxisValue(QStringView line, QChar letter);

    /// The end of the value that starts at \a from.
    static qsizetype valueEnd(QStringView line, qsizetype from)
    {
        while (from < line.size() && isNumberChar(line[from])) {
            ++from;
        }
        return from;
    }
};
