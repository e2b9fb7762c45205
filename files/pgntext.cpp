#include "files/pgntext.h"

#include <cstring>

bool IsValidUtf8(QByteArrayView bytes)
{
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto* end = p + bytes.size();
    while (p < end) {
        const unsigned char lead = *p;
        if (lead < 0x80) {
            ++p;
            continue;
        }
        int extra = 0;
        unsigned min = 0;
        unsigned value = 0;
        if ((lead & 0xE0) == 0xC0) {
            extra = 1, min = 0x80, value = lead & 0x1F;
        } else if ((lead & 0xF0) == 0xE0) {
            extra = 2, min = 0x800, value = lead & 0x0F;
        } else if ((lead & 0xF8) == 0xF0) {
            extra = 3, min = 0x10000, value = lead & 0x07;
        } else {
            return false;
        }
        if (end - p <= extra)
            return false;
        for (int k = 1; k <= extra; ++k) {
            if ((p[k] & 0xC0) != 0x80)
                return false;
            value = (value << 6) | (p[k] & 0x3F);
        }
        if (value < min || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
            return false;
        p += extra + 1;
    }
    return true;
}

QString DecodeLine(QByteArrayView bytes)
{
    if (IsValidUtf8(bytes))
        return QString::fromUtf8(bytes);
    return QString::fromLatin1(bytes);
}

PgnLines::PgnLines(QByteArrayView bytes, qsizetype start) : data(bytes), at(start)
{
    if (at == 0 && data.startsWith(QByteArrayView("\xEF\xBB\xBF")))
        at = 3;
}

bool PgnLines::next(QByteArrayView& line)
{
    if (at >= data.size())
        return false;
    const char* begin = data.data() + at;
    const qsizetype left = data.size() - at;
    qsizetype length = 0;
    while (length < left && begin[length] != '\n' && begin[length] != '\r')
        ++length;
    line = QByteArrayView(begin, length);
    at += length;
    if (at < data.size()) {
        const char ending = data[at];
        ++at;
        if (ending == '\r' && at < data.size() && data[at] == '\n')
            ++at;
    }
    return true;
}
