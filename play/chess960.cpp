#include "play/chess960.h"

namespace {

constexpr int King = 0, Queen = 1, Rook = 2, Bishop = 3, Knight = 4, Empty = -1;
constexpr char KindLetters[] = "KQRBN";
// Placement of the two knights among the five cells left after bishops and queen, by n mod 10.
constexpr char FirstKnight[] = "0000111223";
constexpr char SecondKnight[] = "0123123233";

void place(Chess960Row& row, int kind, int emptyIndex)
{
    const int file = FindEmptySquare(row, emptyIndex);
    if (file >= 0)
        row[static_cast<std::size_t>(file)] = kind;
}

} // namespace

int FindEmptySquare(const Chess960Row& row, int k)
{
    for (int file = 0; file < 8; ++file) {
        if (row[static_cast<std::size_t>(file)] != Empty)
            continue;
        if (k == 0)
            return file;
        --k;
    }
    return -1;
}

Chess960Row Chess960BackRank(int number)
{
    Chess960Row row;
    row.fill(Empty);
    const int n = number < 0 ? 0 : number % Chess960Count;
    row[static_cast<std::size_t>(2 * (n % 4) + 1)] = Bishop; // light squares: b, d, f, h
    const int m1 = n / 4;
    row[static_cast<std::size_t>(2 * (m1 % 4))] = Bishop; // dark squares: a, c, e, g
    const int m2 = m1 / 4;
    place(row, Queen, m2 % 6);
    const int knights = (m2 / 6) % 10;
    place(row, Knight, FirstKnight[knights] - '0');
    place(row, Knight, SecondKnight[knights] - '0');
    // The last three cells take rook, king, rook, so the king always stands between the rooks.
    place(row, Rook, 0);
    place(row, King, 0);
    place(row, Rook, 0);
    return row;
}

QString Chess960Fen(int number)
{
    const Chess960Row row = Chess960BackRank(number);
    QString pieces;
    QString rookFiles; // queen-side rook first
    for (int file = 0; file < 8; ++file) {
        const int kind = row[static_cast<std::size_t>(file)];
        pieces += QLatin1Char(KindLetters[kind]);
        if (kind == Rook)
            rookFiles += QLatin1Char(static_cast<char>('A' + file));
    }
    // King-side rook first, as in "HAha".
    const QString castling = QString(rookFiles.at(1)) + rookFiles.at(0);
    return pieces.toLower() + QStringLiteral("/pppppppp/8/8/8/8/PPPPPPPP/") + pieces +
           QStringLiteral(" w ") + castling + castling.toLower() + QStringLiteral(" - 0 1");
}

QString Chess960HelpUrl(const QString& siteBase, bool withPosition, int number)
{
    QString url = siteBase + QStringLiteral("/help/chess960.htm");
    if (withPosition)
        url += QStringLiteral("?sp=") + QString::number(number) + QStringLiteral("&fen=") +
               UrlEncode(Chess960Fen(number));
    return url;
}
