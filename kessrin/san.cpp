// Standard algebraic notation: writing, and lenient reading of what users and PGN files write.
#include <memory>
#include <string>
#include <string_view>

#include "position_internal.h"

using namespace kessrin_detail;

namespace {

constexpr std::string_view kSanPieces = "KQRBN";
constexpr std::string_view kPromoLetters = "QRBN";

struct MoveList {
    int count = 0;
    MoveCode moves[1024];
};

void listMoves(Gen& g, MoveList& list)
{
    list.count = 0;
    genAll(g, [&](int from, int to, int promo) {
        list.moves[list.count++] = from | (to << 7) | (promo << 14);
        return list.count >= 1024;
    });
}

std::string squareName(int square)
{
    return {FileLetter(FileOf(square)), RankDigit(RowOf(square))};
}

std::string castlingText(int index)
{
    return (index & 1) ? "O-O-O" : "O-O";
}

// The castling move of the given wing in generator form, or 0.
MoveCode findCastling(Gen& g, bool kingSide)
{
    if (g.king < 0)
        return 0;
    const int i = g.us * 2 + (kingSide ? 0 : 1);
    if (!castlingSetupOk(g, i))
        return 0;
    int index = -1;
    const int code = matchLegal(g, MakeMove(g.king, g.rooks[i]), index);
    return code >= 0 && index == i ? code : 0;
}

bool isAnnotationChar(char c)
{
    return c == '+' || c == '#' || c == '!' || c == '?';
}

} // namespace

std::string KessrinMove2Alg(const RulesBoard& board, MoveCode move)
{
    Gen g;
    setupGen(g, board);
    int castleIndex = -1;
    const int code = matchLegal(g, move, castleIndex);
    if (code < 0)
        return {};
    if (castleIndex >= 0)
        return castlingText(castleIndex);
    const int from = MoveFrom(code), to = MoveTo(code), promo = MovePromo(code);
    const int piece = g.sq[from];
    const int type = piece & 7;
    std::string san;
    if (type == Pawn) {
        if (FileOf(from) != FileOf(to)) {
            san += FileLetter(FileOf(from));
            san += 'x';
        }
        san += squareName(to);
        if (RowOf(to) == lastRow(g.us)) {
            san += '=';
            san += kPromoLetters[promo];
        }
        return san;
    }
    san += kSanPieces[type];
    bool rivals = false, sameFile = false, sameRank = false;
    auto list = std::make_unique<MoveList>();
    listMoves(g, *list);
    for (int k = 0; k < list->count; ++k) {
        const int f = MoveFrom(list->moves[k]);
        if (f == from || MoveTo(list->moves[k]) != to || g.sq[f] != piece)
            continue;
        rivals = true;
        sameFile |= FileOf(f) == FileOf(from);
        sameRank |= RowOf(f) == RowOf(from);
    }
    if (rivals) {
        if (!sameFile)
            san += FileLetter(FileOf(from));
        else if (!sameRank)
            san += RankDigit(RowOf(from));
        else
            san += squareName(from);
    }
    if (g.sq[to])
        san += 'x';
    san += squareName(to);
    return san;
}

MoveCode KessrinAlg2Move(const RulesBoard& board, std::string_view text)
{
    // Strip blanks, then trailing check and annotation signs.
    while (!text.empty() && static_cast<unsigned char>(text.front()) <= ' ')
        text.remove_prefix(1);
    while (!text.empty() &&
           (static_cast<unsigned char>(text.back()) <= ' ' || isAnnotationChar(text.back())))
        text.remove_suffix(1);
    if (text.empty() || text.size() > 16)
        return 0;
    Gen g;
    setupGen(g, board);

    std::string castle;
    for (char c : text)
        if (c != '-')
            castle += (c == '0' || c == 'o') ? 'O' : c;
    if (castle == "OO" || castle == "OOO")
        return findCastling(g, castle == "OO");

    std::string c;
    for (char ch : text)
        if (ch != 'x' && ch != 'X' && ch != ':' && ch != '-' && ch != '=')
            c += ch;
    if (c.size() >= 2 && c.compare(c.size() - 2, 2, "ep") == 0)
        c.resize(c.size() - 2);
    else if (c.size() >= 4 && c.compare(c.size() - 4, 4, "e.p.") == 0)
        c.resize(c.size() - 4);

    // Plain coordinates: e2e4, e7e8q.
    if ((c.size() == 4 || c.size() == 5) && IsFileLetter(c[0]) && IsRankDigit(c[1]) &&
        IsFileLetter(c[2]) && IsRankDigit(c[3])) {
        int promo = 0;
        if (c.size() == 5) {
            const char up = static_cast<char>(c[4] >= 'a' ? c[4] - 'a' + 'A' : c[4]);
            const auto pos = kPromoLetters.find(up);
            if (pos == std::string_view::npos)
                return 0;
            promo = static_cast<int>(pos);
        }
        int index = -1;
        const int code =
            matchLegal(g,
                       MakeMove(MakeSquare(ColumnOfLetter(c[0]), RowOfDigit(c[1])),
                                MakeSquare(ColumnOfLetter(c[2]), RowOfDigit(c[3])), promo),
                       index);
        return code < 0 ? 0 : code;
    }

    // Piece letter: upper case always; lower case only where it cannot be a file.
    int type = Pawn;
    std::string_view rest = c;
    if (!rest.empty()) {
        const auto pos = kSanPieces.find(rest[0]);
        const char lower = rest[0];
        if (pos != std::string_view::npos) {
            type = static_cast<int>(pos);
            rest.remove_prefix(1);
        } else if (rest.size() >= 3 &&
                   (lower == 'k' || lower == 'q' || lower == 'r' || lower == 'n')) {
            type = static_cast<int>(kSanPieces.find(static_cast<char>(lower - 'a' + 'A')));
            rest.remove_prefix(1);
        }
    }
    int promo = -1;
    if (type == Pawn && rest.size() >= 3 && IsRankDigit(rest[rest.size() - 2])) {
        const char last = rest.back();
        const char up = static_cast<char>(last >= 'a' && last <= 'z' ? last - 'a' + 'A' : last);
        const auto pos = kPromoLetters.find(up);
        if (pos != std::string_view::npos) {
            promo = static_cast<int>(pos);
            rest.remove_suffix(1);
        }
    }
    int to = -1, toFile = -1, fromFile = -1, fromRow = -1;
    if (rest.size() >= 2 && IsFileLetter(rest[rest.size() - 2]) && IsRankDigit(rest.back())) {
        to = MakeSquare(ColumnOfLetter(rest[rest.size() - 2]), RowOfDigit(rest.back()));
        rest.remove_suffix(2);
    } else if (type == Pawn && rest.size() == 2 && IsFileLetter(rest[0]) && IsFileLetter(rest[1]) &&
               rest[0] != rest[1]) {
        toFile = ColumnOfLetter(rest[1]); // "exd": a pawn capture named by files only
        rest.remove_suffix(1);
    } else {
        return 0;
    }
    for (char ch : rest) {
        if (IsFileLetter(ch) && fromFile < 0 && fromRow < 0)
            fromFile = ColumnOfLetter(ch);
        else if (IsRankDigit(ch) && fromRow < 0)
            fromRow = RowOfDigit(ch);
        else
            return 0;
    }
    if (type == Pawn && toFile >= 0 && fromFile < 0)
        return 0;

    auto list = std::make_unique<MoveList>();
    listMoves(g, *list);
    MoveCode found = 0;
    int matches = 0;
    for (int k = 0; k < list->count; ++k) {
        const MoveCode m = list->moves[k];
        const int f = MoveFrom(m), t = MoveTo(m);
        if ((g.sq[f] & 7) != type || (to >= 0 && t != to))
            continue;
        if (toFile >= 0 && (FileOf(t) != toFile || FileOf(f) == toFile))
            continue;
        if ((fromFile >= 0 && FileOf(f) != fromFile) || (fromRow >= 0 && RowOf(f) != fromRow))
            continue;
        if (type == Pawn && fromFile < 0 && FileOf(f) != FileOf(t))
            continue; // "d5" is a push; captures name their file
        if (type == King && (g.sq[t] & g.usCol))
            continue; // castling written king-to-rook is only reached through "O-O"
        const bool promotes = type == Pawn && RowOf(t) == lastRow(g.us);
        if (promotes ? MovePromo(m) != (promo < 0 ? 0 : promo) : promo >= 0)
            continue;
        found = m;
        ++matches;
    }
    return matches == 1 ? found : 0;
}
