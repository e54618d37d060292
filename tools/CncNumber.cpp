#include "tools/CncNumber.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <string>

namespace {

__extension__ typedef unsigned __int128 Wide;

constexpr int kMaxReadDigits = 38; // 10^38 < 2^127, so two of them add without overflow
constexpr int kSignificantDigits = 15;

constexpr std::array<Wide, 39> makePowers()
{
    std::array<Wide, 39> powers {};
    Wide p = 1;
    for (Wide &power : powers) {
        power = p;
        p *= 10;
    }
    return powers;
}

constexpr std::array<Wide, 39> kPowers = makePowers();
constexpr Wide kHalfRange = ~Wide(0) >> 1;

/// Multiplies \a c by 10^shift into \a out unless the result would leave half
/// the coefficient range.
bool scaleUp(Wide c, int shift, Wide &out)
{
    if (shift >= int(kPowers.size()) || c > kHalfRange / kPowers[shift]) {
        return false;
    }
    out = c * kPowers[shift];
    return true;
}

/// Writes the decimal digits of \a c (not zero) to \a digits, most
/// significant first, and returns their count.
int toDigits(Wide c, char *digits)
{
    char reversed[48];
    int count = 0;
    while (c > Wide(UINT64_MAX)) {
        // Split off 19 digits at a time so that the rest runs in 64 bits.
        constexpr unsigned long long chunk = 10'000'000'000'000'000'000ULL;
        unsigned long long low = static_cast<unsigned long long>(c % chunk);
        c /= chunk;
        for (int i = 0; i < 19; ++i) {
            reversed[count++] = char('0' + low % 10);
            low /= 10;
        }
    }
    unsigned long long rest = static_cast<unsigned long long>(c);
    while (rest != 0) {
        reversed[count++] = char('0' + rest % 10);
        rest /= 10;
    }
    for (int i = 0; i < count; ++i) {
        digits[i] = reversed[count - 1 - i];
    }
    return count;
}

/// Appends 0.digits x 10^exponent in general notation. \a digits holds at
/// most 15 digits with no trailing zero.
void layOut(QString &out, bool negative, const char *digits, int count, int exponent, QChar decimalPoint)
{
    char16_t text[64];
    char16_t *p = text;
    auto put = [&p, digits](int from, int to) {
        for (int i = from; i < to; ++i) {
            *p++ = char16_t(digits[i]);
        }
    };
    auto zeros = [&p](int n) {
        for (int i = 0; i < n; ++i) {
            *p++ = u'0';
        }
    };
    if (negative) {
        *p++ = u'-';
    }
    if (exponent > kSignificantDigits || exponent < -4) {
        put(0, 1);
        if (count > 1) {
            *p++ = decimalPoint.unicode();
            put(1, count);
        }
        *p++ = u'E';
        char power[16];
        const auto written = std::to_chars(power, power + sizeof power, exponent - 1);
        for (const char *c = power; c < written.ptr; ++c) {
            *p++ = char16_t(*c);
        }
    } else if (exponent <= 0) {
        *p++ = u'0';
        *p++ = decimalPoint.unicode();
        zeros(-exponent);
        put(0, count);
    } else if (exponent >= count) {
        put(0, count);
        zeros(exponent - count);
    } else {
        put(0, exponent);
        *p++ = decimalPoint.unicode();
        put(exponent, count);
    }
    out.append(reinterpret_cast<const QChar *>(text), p - text);
}

} // namespace

std::optional<CncNumber> CncNumber::read(QStringView text, QChar regionalSeparator, bool acceptDecimalPoint)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    bool negative = false;
    if (i < n && (text[i] == u'+' || text[i] == u'-')) {
        negative = text[i] == u'-';
        ++i;
    }
    if (i == n) {
        return std::nullopt;
    }
    const qsizetype bodyStart = i;
    bool separatorSeen = false;
    Wide coefficient = 0;
    int significant = 0; // digits from the first non-zero one up to the last non-zero one
    int pendingZeros = 0; // zeros after the last non-zero digit
    int fractionDigits = 0;
    for (; i < n; ++i) {
        const char16_t c = text[i].unicode();
        if (c >= u'0' && c <= u'9') {
            if (separatorSeen) {
                ++fractionDigits;
            }
            if (c == u'0') {
                if (significant > 0) {
                    ++pendingZeros;
                }
                continue;
            }
            significant = significant == 0 ? 1 : significant + pendingZeros + 1;
            if (significant <= kMaxReadDigits) {
                coefficient = coefficient * kPowers[pendingZeros + 1] + (c - u'0');
            }
            pendingZeros = 0;
        } else if (c == regionalSeparator.unicode() || (acceptDecimalPoint && c == u'.')) {
            if (separatorSeen) {
                return std::nullopt;
            }
            separatorSeen = true;
        } else {
            return std::nullopt;
        }
    }

    CncNumber number;
    if (significant <= kMaxReadDigits) {
        number.m_coefficient = coefficient;
        number.m_exponent = pendingZeros - fractionDigits;
        number.m_negative = negative && coefficient != 0;
        return number;
    }

    // Too many digits for an exact value: read it as an extended binary number.
    std::string ascii;
    ascii.reserve(size_t(n - bodyStart) + 1);
    if (negative) {
        ascii += '-';
    }
    for (qsizetype k = bodyStart; k < n; ++k) {
        const char16_t c = text[k].unicode();
        ascii += (c >= u'0' && c <= u'9') ? char(c) : '.';
    }
    long double value = 0;
    const auto [end, error] = std::from_chars(ascii.data(), ascii.data() + ascii.size(), value);
    if (error != std::errc() || end != ascii.data() + ascii.size() || !std::isfinite(value)) {
        return std::nullopt;
    }
    return fromLongDouble(value);
}

CncNumber CncNumber::fromLongDouble(long double value)
{
    CncNumber number;
    number.m_exact = false;
    number.m_binary = value;
    return number;
}

CncNumber CncNumber::operator+(const CncNumber &other) const
{
    if (m_exact && other.m_exact) {
        if (m_coefficient == 0) {
            return other;
        }
        if (other.m_coefficient == 0) {
            return *this;
        }
        const int exponent = std::min(m_exponent, other.m_exponent);
        Wide a = 0;
        Wide b = 0;
        if (scaleUp(m_coefficient, m_exponent - exponent, a)
            && scaleUp(other.m_coefficient, other.m_exponent - exponent, b)) {
            CncNumber sum;
            sum.m_exponent = exponent;
            if (m_negative == other.m_negative) {
                sum.m_coefficient = a + b;
                sum.m_negative = m_negative;
            } else if (a >= b) {
                sum.m_coefficient = a - b;
                sum.m_negative = m_negative && sum.m_coefficient != 0;
            } else {
                sum.m_coefficient = b - a;
                sum.m_negative = other.m_negative;
            }
            return sum;
        }
    }
    return fromLongDouble(toLongDouble() + other.toLongDouble());
}

CncNumber CncNumber::operator-() const
{
    CncNumber negated = *this;
    if (m_exact) {
        negated.m_negative = !m_negative && m_coefficient != 0;
    } else {
        negated.m_binary = -m_binary;
    }
    return negated;
}

bool CncNumber::isNegative() const
{
    return m_exact ? m_negative : m_binary < 0;
}

bool CncNumber::isZero() const
{
    return m_exact ? m_coefficient == 0 : m_binary == 0;
}

long double CncNumber::toLongDouble() const
{
    if (!m_exact) {
        return m_binary;
    }
    if (m_coefficient == 0) {
        return 0;
    }
    char text[64];
    int count = toDigits(m_coefficient, text + 1);
    text[0] = '-';
    text[++count] = 'e';
    const auto written = std::to_chars(text + count + 1, text + sizeof text, m_exponent);
    const char *begin = m_negative ? text : text + 1;
    long double value = 0;
    std::from_chars(begin, written.ptr, value);
    return value;
}

QString CncNumber::toText(QChar decimalPoint) const
{
    QString text;
    appendText(text, decimalPoint);
    return text;
}

void CncNumber::appendText(QString &out, QChar decimalPoint) const
{
    if (isZero()) {
        out += u'0';
        return;
    }
    char digits[64];
    int count = 0;
    int exponent = 0; // the value is 0.digits x 10^exponent
    bool negative = false;
    if (m_exact) {
        negative = m_negative;
        count = toDigits(m_coefficient, digits);
        exponent = count + m_exponent;
        if (count > kSignificantDigits) {
            const bool roundUp = digits[kSignificantDigits] >= '5';
            count = kSignificantDigits;
            if (roundUp) {
                int k = count - 1;
                while (k >= 0 && digits[k] == '9') {
                    digits[k--] = '0';
                }
                if (k < 0) {
                    digits[0] = '1';
                    count = 1;
                    ++exponent;
                } else {
                    ++digits[k];
                }
            }
        }
    } else {
        // "d.dddddddddddddde[+-]x": the binary value rounded to 15 digits.
        char scientific[64];
        const auto written = std::to_chars(scientific, scientific + sizeof scientific, m_binary,
                                           std::chars_format::scientific, kSignificantDigits - 1);
        const char *p = scientific;
        if (*p == '-') {
            negative = true;
            ++p;
        }
        for (; p < written.ptr && *p != 'e'; ++p) {
            if (*p != '.') {
                digits[count++] = *p;
            }
        }
        int power = 0;
        const char *powerStart = p + 1;
        if (powerStart < written.ptr && *powerStart == '+') {
            ++powerStart;
        }
        std::from_chars(powerStart, written.ptr, power);
        exponent = power + 1;
    }
    while (count > 1 && digits[count - 1] == '0') {
        --count;
    }
    layOut(out, negative, digits, count, exponent, decimalPoint);
}
