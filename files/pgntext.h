// Bytes of a PGN file as lines of text: line ends of any platform, and the character set.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// True when bytes are well-formed UTF-8 (no overlong forms, surrogates or values past U+10FFFF).
bool IsValidUtf8(QByteArrayView bytes);
// One line as text: UTF-8 when it is valid UTF-8, otherwise Latin-1, which every byte is.
QString DecodeLine(QByteArrayView bytes);

// Walks the lines of a byte range. A line ends at a carriage return, a line feed or the pair of
// them; a byte-order mark at the start of the file is skipped.
class PgnLines {
public:
    explicit PgnLines(QByteArrayView bytes, qsizetype start = 0);

    // The next line without its line end; false at the end of the bytes.
    bool next(QByteArrayView& line);
    // Offset of the first byte not yet returned.
    qsizetype position() const { return at; }
    bool atEnd() const { return at >= data.size(); }

private:
    QByteArrayView data;
    qsizetype at = 0;
};
