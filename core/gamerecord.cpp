#include "core/gamerecord.h"

GameRecord Game;

void resetRecord(bool keepTags)
{
    if (!keepTags) {
        for (QString* tag :
             {&Game.TagEvent, &Game.TagSite, &Game.TagDate, &Game.TagRound, &Game.TagWhite,
              &Game.TagWhiteElo, &Game.TagBlack, &Game.TagBlackElo, &Game.TagEco, &Game.TagOpening,
              &Game.TagVariation, &Game.TagSubVariation})
            tag->clear();
        Game.GameResult = ResultNone;
        Game.AutoEco = true;
    }
    // The board always returns to the standard start, so the fields describing it follow even
    // when the tags are kept; a kept Black-to-move side would contradict the board.
    Game.StartSide = White;
    Game.StartMoveNumber = 1;
    Game.SideToMove = White;
    Game.MoveNumber = 1;

    Game.StartFen = StandardFen;
    KessrinFen2Board(Game.Board, StandardFen);
    Game.CurPly = 0;
    Game.StandardStart = true;
    // Deleted plies leave no comments behind.
    for (QString& comment : Game.MoveComment)
        comment.clear();
    Game.PlyCount = 0;
    Game.EndSide = Game.SideToMove;
    Game.Modified = false;
    Game.Flipped = false;
    Game.MatedKingSquare = 0;
}

QString MoveNumberPrefix(int moveNumber, int side)
{
    const QString number = QString::number(moveNumber) + QLatin1Char('.');
    return side == White ? number : QString(number.size(), QLatin1Char(' '));
}

QString AnnotationSymbol(int nag)
{
    static const char* const symbols[] = {"", "!", "?", "!!", "??", "!?", "?!"};
    if (nag < 0 || nag > 6)
        return {};
    return QString::fromLatin1(symbols[nag]);
}

int PlyMoveNumber(int ply)
{
    return Game.StartMoveNumber + (ply - 1 + Game.StartSide) / 2;
}

int PlySide(int ply)
{
    return (ply - 1 + Game.StartSide) % 2;
}

QString PlyLine(int ply)
{
    if (ply < 1 || ply > MaxPly)
        return {};
    QString text = MoveNumberPrefix(PlyMoveNumber(ply), PlySide(ply)) + Game.MoveSan[ply] +
                   AnnotationSymbol(Game.MoveNag[ply]);
    if (!Game.MoveComment[ply].isEmpty())
        text += QLatin1Char('*');
    return text;
}

int KingSquare()
{
    Game.MatedKingSquare = 0;
    const int king = ColourValue(Game.SideToMove) + King;
    for (int square = 0; square < 128; ++square)
        if (Game.Board.squares[square] == king)
            return square;
    return 0;
}
