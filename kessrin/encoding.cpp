// Coordinate notation of moves.
#include "encoding.h"

std::string MoveToCoord(MoveCode move, bool promotionFlag)
{
    const int from = MoveFrom(move), to = MoveTo(move);
    std::string text{FileLetter(FileOf(from)), RankDigit(RowOf(from)), FileLetter(FileOf(to)),
                     RankDigit(RowOf(to))};
    const int promo = MovePromo(move);
    if (promo > 0)
        text += "rbn"[promo - 1];
    else if (promotionFlag)
        text += 'q';
    return text;
}

MoveCode CoordToMove(std::string_view text)
{
    if (text.size() < 4 || !IsFileLetter(text[0]) || !IsRankDigit(text[1]) ||
        !IsFileLetter(text[2]) || !IsRankDigit(text[3]))
        return 0;
    int promo = 0;
    if (text.size() >= 5) {
        const auto pos = std::string_view("rbn").find(text[4]);
        promo = pos == std::string_view::npos ? 0 : static_cast<int>(pos) + 1;
    }
    return MakeMove(MakeSquare(ColumnOfLetter(text[0]), RowOfDigit(text[1])),
                    MakeSquare(ColumnOfLetter(text[2]), RowOfDigit(text[3])), promo);
}
