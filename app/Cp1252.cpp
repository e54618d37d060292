#include "app/Cp1252.h"

#include <array>

namespace {

// Code points of bytes 0x80..0x9F; the rest of the code page equals Latin-1.
constexpr std::array<char16_t, 32> kHighControls
    = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
       0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
       0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char encodeOne(char16_t c, bool &ok)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
        return static_cast<char>(c);
    }
    for (std::size_t i = 0; i < kHighControls.size(); ++i) {
        if (kHighControls[i] == c) {
            return static_cast<char>(0x80 + i);
        }
    }
    ok = false;
    return '?';
}

} // namespace

namespace Cp1252 {

QString decode(const QByteArray &bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    QChar *out = text.data();
    for (const char b : bytes) {
        const auto u = static_cast<unsigned char>(b);
        *out++ = QChar(u >= 0x80 && u < 0xA0 ? kHighControls[u - 0x80] : char16_t(u));
    }
    return text;
}

QByteArray encode(const QString &text, bool *lossless)
{
    QByteArray bytes(text.size(), Qt::Uninitialized);
    char *out = bytes.data();
    bool ok = true;
    const QChar *in = text.constData();
    const QChar *end = in + text.size();
    while (in != end) {
        // A surrogate pair is one character that the code page cannot hold: one "?".
        if (in->isHighSurrogate() && in + 1 != end && (in + 1)->isLowSurrogate()) {
            ++in;
            ok = false;
            *out++ = '?';
        } else {
            *out++ = encodeOne(in->unicode(), ok);
        }
        ++in;
    }
    bytes.truncate(out - bytes.data());
    if (lossless) {
        *lossless = ok;
    }
    return bytes;
}

} // namespace Cp1252
