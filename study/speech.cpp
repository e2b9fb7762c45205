#include "study/speech.h"

#include "core/board.h"
#include "core/gamerecord.h"
#include "core/movelist.h"
#include "kessrin/encoding.h"
#include "shell/platform.h"
#include "shell/settings.h"

#include <array>

namespace {

// The reading of a file or rank: its header and the square readings, or "No pieces.".
QString LineReading(const QString& header, QString body)
{
    if (body.isEmpty())
        return header + QStringLiteral("No pieces.");
    body.chop(2); // the last ", "
    return header + body + QLatin1Char('.');
}

int BoardSquare(int displaySquare)
{
    return Game.Flipped ? FlipSquare(displaySquare) : displaySquare;
}

} // namespace

void Speak(const QString& text)
{
    platform().speak(text);
}

QString PieceWord(int type)
{
    static const std::array<const char*, 6> words = {"King",   "Queen",  "Rook",
                                                     "Bishop", "Knight", "Pawn"};
    if (type < 0 || type >= static_cast<int>(words.size()))
        return {};
    return QString::fromLatin1(words[static_cast<std::size_t>(type)]);
}

QString SpokenMove(const QString& san)
{
    QString text = san;
    // A disambiguating file letter gets a pause, so "Nbd7" is not heard as one word.
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        const QChar c = text[i];
        if (c >= QLatin1Char('a') && c <= QLatin1Char('h')) {
            const QChar next = text[i + 1];
            if (next >= QLatin1Char('a') && next <= QLatin1Char('z'))
                text.insert(i + 1, QStringLiteral(", "));
            break;
        }
    }
    static const std::array<std::pair<const char*, const char*>, 11> words = {{
        {"x", " takes "},
        {"K", "King "},
        {"Q", "Queen "},
        {"R", "Rook "},
        {"B", "Bishop "},
        {"N", "Knight "},
        {"O-O-O", "Queenside Castle"},
        {"O-O", "Kingside Castle"},
        {"=", ", promotes to "},
        {"+", ", checks"},
        {"#", ", checkmates"},
    }};
    for (const auto& [from, to] : words)
        text.replace(QLatin1String(from), QLatin1String(to), Qt::CaseSensitive);
    return text;
}

QString SquareReading(int square)
{
    const int onBoard = BoardSquare(square);
    if (onBoard < 0 || onBoard >= 128 || !OnBoard(onBoard))
        return {};
    const int code = Game.Board.squares[onBoard];
    if (code == 0)
        return {};
    return QLatin1String(code < ColourValue(Black) ? "White " : "Black ") +
           PieceWord(TypeOf(code)) + QLatin1Char(' ') + SquareName(onBoard) + QStringLiteral(", ");
}

QString MoveAnnouncement()
{
    if (Game.CurPly <= 0)
        return Game.MoveComment[0];
    QString text = Game.SideToMove == Black
                       ? QString::number(Game.MoveNumber) + QStringLiteral(", White, ")
                       : QStringLiteral("Black, ");
    text += SpokenMove(Game.MoveSan[Game.CurPly]) + QStringLiteral(". ");
    const QString& comment = Game.MoveComment[Game.CurPly];
    if (!comment.isEmpty())
        text += QLatin1Char('\n') + comment;
    return text;
}

void AnnounceMove()
{
    Speak(MoveAnnouncement());
}

void ReadFile(int column)
{
    if (column < 4 || column > 11)
        return;
    const int shownColumn = Game.Flipped ? FileOf(FlipSquare(column)) : column;
    const QString header =
        QStringLiteral("File ") + QLatin1Char(FileLetter(shownColumn)) + QStringLiteral(", ");
    QString body;
    for (int row = 7; row >= 0; --row)
        body += SquareReading(MakeSquare(column, row));
    Speak(LineReading(header, body));
}

void ReadRank(int row)
{
    if (row < 0 || row > 7)
        return;
    const int shownRow = Game.Flipped ? RowOf(FlipSquare(MakeSquare(4, row))) : row;
    const QString header =
        QStringLiteral("Rank ") + QLatin1Char(RankDigit(shownRow)) + QStringLiteral(", ");
    QString body;
    for (int column = 11; column >= 4; --column)
        body += SquareReading(MakeSquare(column, row));
    Speak(LineReading(header, body));
}

void ReadPosition()
{
    // Square names by piece code, in the order the displayed board is scanned.
    std::array<QStringList, 32> squaresOf;
    for (int shown = 0; shown < 128; ++shown) {
        const int square = BoardSquare(shown);
        if (!OnBoard(square))
            continue;
        const int code = Game.Board.squares[square];
        if (code > 0 && code < static_cast<int>(squaresOf.size()))
            squaresOf[static_cast<std::size_t>(code)].append(SquareName(square));
    }
    QString text;
    const int bottom = Game.Flipped ? Black : White;
    for (const int side : {bottom, 1 - bottom}) {
        text += QLatin1String(side == White ? "White Pieces, " : "Black Pieces, ");
        for (int type = King; type <= Pawn; ++type) {
            const QStringList& names =
                squaresOf[static_cast<std::size_t>(ColourValue(side) + type)];
            if (names.isEmpty())
                continue;
            text += PieceWord(type) + QLatin1Char(' ');
            for (const QString& name : names)
                text += name + QStringLiteral(", ");
        }
    }
    text +=
        QLatin1String(Game.SideToMove == White ? "White" : "Black") + QStringLiteral(" to move.");
    Speak(text);
}

void mnQuorvinReadMove_Click()
{
    ShowMoveList(true);
}

void mnQuorvinReadPos_Click()
{
    ReadPosition();
}

void mnQuorvinReadFile_Click(int index)
{
    ReadFile(index + 4);
}

void mnQuorvinReadRank_Click(int index)
{
    ReadRank(index);
}

void mnQuorvinStopRead_Click()
{
    Speak(QString());
}

void lblDownloadTTS_Click()
{
    platform().openUrl(Cfg.SiteBase + QStringLiteral("/help/tts.htm"));
}
