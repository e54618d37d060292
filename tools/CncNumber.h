#pragma once

#include <QChar>
#include <QString>
#include <QStringView>

#include <optional>

/// A number of a CNC program word, for the tools that recompute coordinates.
///
/// Values are held as exact decimals (a coefficient of up to 38 digits and a
/// power of ten), so that sums such as 10.1 - 10 come out as 0.1 with no
/// binary rounding at all. A number beyond that falls back to extended
/// (64-bit mantissa) binary arithmetic.
class CncNumber
{
public:
    /// Zero.
    CncNumber() = default;

    /// Reads \a text: an optional sign, digits and at most one decimal
    /// separator, nothing else. The separator is \a regionalSeparator, and
    /// also "." when \a acceptDecimalPoint is set. A leading or trailing
    /// separator is accepted, a separator alone (signed or not) reads as 0;
    /// an empty text or a sign alone is not a number.
    static std::optional<CncNumber> read(QStringView text, QChar regionalSeparator, bool acceptDecimalPoint);

    CncNumber operator+(const CncNumber &other) const;
    CncNumber operator-() const;
    CncNumber operator-(const CncNumber &other) const { return *this + -other; }

    /// True for values below zero (zero is never negative).
    bool isNegative() const;
    bool isZero() const;

    /// The value in general notation with at most 15 significant digits:
    /// no trailing zeros, no decimal point when nothing follows it, exponent
    /// form ("1E-6", "1.5E20") below 0.00001 and beyond 15 integer digits.
    QString toText(QChar decimalPoint = u'.') const;

    /// Appends toText() to \a out.
    void appendText(QString &out, QChar decimalPoint = u'.') const;

    /// The value as an extended binary number.
    long double toLongDouble() const;

    /// Exact comparison of the values (a binary value is compared as binary).
    friend bool operator==(const CncNumber &a, const CncNumber &b) { return (a - b).isZero(); }

private:
    __extension__ typedef unsigned __int128 Coefficient;

    static CncNumber fromLongDouble(long double value);

    bool m_exact = true;
    bool m_negative = false;
    Coefficient m_coefficient = 0; ///< exact value: coefficient x 10^exponent
    int m_exponent = 0;
    long double m_binary = 0; ///< the value when it is not exact
};
