#include "shell/parseclamped.h"

#include <algorithm>

namespace {

bool isDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// Any magnitude at or beyond this lies outside every 32-bit range, so digits past it only need
// to keep the value saturated.
constexpr qint64 Saturated = 100000000000;

// Bounds first, then the value; a reversed range gives its minimum instead of undefined results.
qint64 clampTo(qint64 value, qint64 minimum, qint64 maximum)
{
    return std::max(minimum, std::min(value, maximum));
}

// The number at the start of the text, rounded half to even and saturated; 0 when none.
qint64 readRounded(const QString& text)
{
    const qsizetype n = text.size();
    qsizetype i = 0;
    while (i < n && (text[i] == QLatin1Char(' ') || text[i] == QLatin1Char('\t')))
        ++i;
    bool negative = false;
    if (i < n && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-'))) {
        negative = text[i] == QLatin1Char('-');
        ++i;
    }

    qint64 whole = 0;
    bool anyDigit = false;
    for (; i < n && isDigit(text[i]); ++i) {
        anyDigit = true;
        whole = std::min(Saturated, whole * 10 + (text[i].unicode() - '0'));
    }

    // The fraction only decides the rounding: below, exactly at, or above one half.
    int versusHalf = -1;
    if (i < n && text[i] == QLatin1Char('.')) {
        ++i;
        if (i < n && isDigit(text[i])) {
            anyDigit = true;
            const int first = text[i].unicode() - '0';
            ++i;
            bool restNonZero = false;
            for (; i < n && isDigit(text[i]); ++i)
                restNonZero = restNonZero || text[i] != QLatin1Char('0');
            if (first > 5 || (first == 5 && restNonZero))
                versusHalf = 1;
            else if (first == 5)
                versusHalf = 0;
        }
    }
    if (!anyDigit)
        return 0;

    // Halves to even is symmetric about zero, so round the magnitude and then apply the sign.
    // With whole-number bounds, rounding before clamping gives the same result as after.
    qint64 magnitude = whole;
    if (versusHalf > 0 || (versusHalf == 0 && whole % 2 == 1))
        ++magnitude;
    return negative ? -magnitude : magnitude;
}

} // namespace

qint16 ParseClamped(const QString& text, int minimum, int maximum)
{
    return static_cast<qint16>(clampTo(readRounded(text), minimum, maximum));
}

qint32 ParseClamped32(const QString& text, qint32 minimum, qint32 maximum)
{
    return static_cast<qint32>(clampTo(readRounded(text), minimum, maximum));
}
