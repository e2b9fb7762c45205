#include "core/domove.h"

#include "core/board.h"
#include "core/gamerecord.h"
#include "core/movelist.h"
#include "engine/engineoutput.h"
#include "engine/enginestate.h"
#include "engine/search.h"
#include "files/captions.h"
#include "files/savegame.h"
#include "play/clocks.h"
#include "play/clockstate.h"
#include "play/gamecontrol.h"
#include "shell/audio.h"
#include "shell/platform.h"
#include "shell/settings.h"
#include "shell/view.h"
#include "study/puzzles.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <vector>

namespace {

const QString LaterMovesQuestion =
    QStringLiteral("This will clear all later moves.\n\nDo you want to continue?");

// The engine plays side.
bool EnginePlays(int side)
{
    return side == White ? Engine.EngineWhite : Engine.EngineBlack;
}

QString GameOverPicture(int icon)
{
    switch (icon) {
    case IconWin:
        return QStringLiteral("WIN.GIF");
    case IconLoss:
        return QStringLiteral("LOSS.GIF");
    default:
        return QStringLiteral("DRAW.GIF");
    }
}

// Appends the line of the newly recorded last ply to the move list.
void AddPlyLine(const QString& line)
{
    view().insertMoveRow(Game.PlyCount, line);
}

// End of the game by mate, stalemate or a draw rule, announced unless quiet.
void ReportGameEnd(int flags, bool announce)
{
    const bool noReply = flags & MoveFlag::NoReply;
    const bool check = flags & MoveFlag::Check;
    if (!noReply) {
        if (!(flags & (MoveFlag::Repetition | MoveFlag::FiftyMoves | MoveFlag::NoMaterial)))
            return;
        Game.GameResult = ResultDraw;
        FinishGame();
        if (!announce)
            return;
        if (flags & MoveFlag::Repetition)
            GameOver(QStringLiteral("Draw by threefold repetition."), IconDraw);
        else if (flags & MoveFlag::FiftyMoves)
            GameOver(QStringLiteral("Draw by the fifty-move rule."), IconDraw);
        else
            GameOver(QStringLiteral("Draw by insufficient material."), IconDraw);
        return;
    }
    if (check) {
        const bool blackMated = Game.SideToMove == Black;
        Game.GameResult = blackMated ? ResultWhiteWins : ResultBlackWins;
        FinishGame();
        if (!announce)
            return;
        const bool engineWon = EnginePlays(blackMated ? White : Black);
        Game.MatedKingSquare = KingSquare();
        GameOver(blackMated ? QStringLiteral("White wins.") : QStringLiteral("Black wins."),
                 engineWon ? IconLoss : IconWin);
        return;
    }
    Game.GameResult = ResultDraw;
    FinishGame();
    if (announce)
        GameOver(QStringLiteral("Draw by stalemate."), IconDraw);
}

// The whole number at the start of text (after blanks), clamped to low..high; low when none.
int LeadingNumber(const QString& text, int low, int high)
{
    const QString digits = text.trimmed();
    qsizetype length = 0;
    while (length < digits.size() && length < 9 && digits[length].isDigit())
        ++length;
    if (length == 0)
        return low;
    return std::clamp(digits.left(length).toInt(), low, high);
}

// Exactly one king of each colour stands on the board.
bool HasBothKings(const RulesBoard& board)
{
    int kings[2] = {0, 0};
    for (int square = 0; square < 128; ++square)
        for (int side : {White, Black})
            if (board.squares[square] == ColourValue(side) + King)
                ++kings[side];
    return kings[White] == 1 && kings[Black] == 1;
}

// The rules library's undo history has no room for another move: it refuses even legal ones,
// which the counter limit below must still report as such.
bool HistoryFull(const RulesBoard& board)
{
    return board.historyCount >= static_cast<int>(std::size(board.history));
}

bool IsGeneratedMove(const RulesBoard& board, MoveCode move)
{
    std::array<MoveCode, 1024> legal{};
    const int count = KessrinGenMoves(board, legal.data());
    return std::find(legal.begin(), legal.begin() + count, move) != legal.begin() + count;
}

} // namespace

QString MoveSoundName(int flags, int mode)
{
    QString name;
    if (flags & MoveFlag::Check)
        name = QStringLiteral("CHECK");
    else if (flags & (MoveFlag::Castling | MoveFlag::EnPassant | MoveFlag::Promotion))
        name = QStringLiteral("SPECIAL");
    else if (flags & MoveFlag::Capture)
        name = QStringLiteral("CAPTURE");
    else
        name = QStringLiteral("MOVE");
    if (mode == ModeEngine)
        name += QLatin1Char('2');
    return name;
}

bool DoMove(MoveCode move, int mode, int annotation)
{
    int flags = 0;
    if (KessrinTryMove(Game.Board, flags, move)) {
        KessrinUndoMove(Game.Board);
    } else if (!(HistoryFull(Game.Board) && IsGeneratedMove(Game.Board, move))) {
        if (mode >= ModeTyped || (mode == ModeClick && (flags & MoveFlag::IllegalAttempt)))
            PlaySoundName(QStringLiteral("ILLEGAL"));
        return false;
    }

    // A pondering engine either guessed this move or its search is now pointless.
    PonderHitOrStop(move);

    if (Game.CurPly < Game.PlyCount) {
        if (showMessage(LaterMovesQuestion, MsgButtons::YesNo, MsgIcon::Question) != MsgAnswer::Yes)
            return false;
        TruncateMoves();
    }

    if (Game.MoveNumber >= MaxMoveNumber || Game.PlyCount >= MaxPly) {
        if (mode != ModeQuiet)
            showMessage(QStringLiteral("Counter limit exceeded."), MsgButtons::Ok,
                        MsgIcon::Exclamation);
        return false;
    }

    ChargeMove();
    Game.MoveStartTime = platform().timeOfDay();

    const QString prefix = MoveNumberPrefix(Game.MoveNumber, Game.SideToMove);
    Game.PlyCount += 1;
    Game.EndSide = 1 - Game.EndSide;
    Game.Moves[Game.PlyCount] = move;
    Game.MoveNag[Game.PlyCount] = annotation;
    Game.MoveComment[Game.PlyCount].clear();

    QString san = QString::fromStdString(KessrinMove2Alg(Game.Board, move));
    if (flags & MoveFlag::Check)
        san += (flags & MoveFlag::NoReply) ? QLatin1Char('#') : QLatin1Char('+');
    Game.MoveSan[Game.PlyCount] = san;
    AddPlyLine(prefix + san + AnnotationSymbol(annotation));

    const bool announce = mode != ModeQuiet;
    if (announce) {
        StepForward(Cfg.Animation, false);
        ShowMoveList(false);
    } else {
        StepForward(false, false);
    }

    ClassifyOpening();
    // Before the game-end steps: their "another game?" question must see the final move unsaved.
    if (announce)
        SetModified();

    if (announce && !(flags & MoveFlag::NoReply))
        PlaySoundName(MoveSoundName(flags, mode));
    ReportGameEnd(flags, announce);

    if (view().commandChecked(QStringLiteral("mnMoveDraw"))) {
        view().setCommandChecked(QStringLiteral("mnMoveDraw"), false);
        Engine.DrawOffer = true;
    }
    // A ponder search that ended by itself answers this move at once if it guessed it.
    PlayStoredPonderResult(move);
    return true;
}

void GameOver(const QString& text, int icon)
{
    PlaySoundName(icon == IconWin    ? QStringLiteral("WIN")
                  : icon == IconLoss ? QStringLiteral("LOSS")
                                     : QStringLiteral("DRAW"));
    if (Game.MatedKingSquare > 0)
        DrawSquare(Game.MatedKingSquare, false, true);

    MessageRequest request;
    request.icon = MsgIcon::Picture;
    request.picture = GameOverPicture(icon);
    if (Cfg.TryAgain) {
        request.text = text + QStringLiteral("\n\nStart another game?");
        request.buttons = MsgButtons::YesNo;
        if (platform().messageBox(request) == MsgAnswer::Yes && !PromptSave()) {
            // A puzzle's game brings its series' list back instead.
            if (Puzzles.PuzzleActive)
                LoadPuzzles(Cfg.EpdName, Cfg.EpdTitle);
            else
                AskNewGame();
        }
    } else {
        request.text = text;
        platform().messageBox(request);
    }
}

void FinishGame()
{
    view().setHeaderText(HeaderLabel::Result, PlayersCaption());
    Clock.ClockRunning = false;
    view().setCommandChecked(QStringLiteral("mnEngineLevel"), false);
    if (Engine.EngineState > 0) {
        HaltEngine();
        // A playing engine must not start the next search by itself.
        if (Engine.EngineWhite || Engine.EngineBlack)
            Engine.EngineState = 2;
    }
}

void SideResigns()
{
    const bool whiteResigns = Game.EndSide == White;
    Game.GameResult = whiteResigns ? ResultBlackWins : ResultWhiteWins;
    FinishGame();
    GameOver(whiteResigns ? QStringLiteral("White resigns.") : QStringLiteral("Black resigns."),
             IconWin);
}

void DrawAgreed()
{
    Game.GameResult = ResultDraw;
    FinishGame();
    GameOver(QStringLiteral("Draw agreed."), IconDraw);
}

void OfferDraw()
{
    if (Game.MoveNumber % 5 != 0)
        return;
    Engine.DrawOffer = true;
    if (EnginePlays(Game.EndSide))
        return;
    const QString offerer =
        Game.EndSide == Black ? QStringLiteral("White") : QStringLiteral("Black");
    showMessage(offerer +
                    QStringLiteral(" offers a draw.\n\n"
                                   "To accept the draw, click menu Computer -> Offer / Accept "
                                   "a Draw.\nTo decline the draw, just ignore it."),
                MsgButtons::Ok, MsgIcon::Information);
}

void ClassifyOpening()
{
    if (!Game.AutoEco || !Game.StandardStart || Game.PlyCount >= 64)
        return;
    std::vector<MoveCode> moves(Game.Moves.begin() + 1, Game.Moves.begin() + 1 + Game.PlyCount);
    moves.push_back(0);
    const std::optional<std::string> found = KessrinSearchEco(moves.data());
    if (!found)
        return;
    const QStringList fields = QString::fromStdString(*found).split(QLatin1Char('|'));
    if (fields.size() != 4)
        return;
    Game.TagEco = fields[0];
    Game.TagOpening = fields[1];
    Game.TagVariation = fields[2];
    Game.TagSubVariation = fields[3];
    RefreshGameCaptions();
}

void mnMoveDraw_Click()
{
    const QString offer = QStringLiteral("mnMoveDraw");
    if (Engine.DrawOffer) {
        DrawAgreed();
    } else if (view().commandChecked(offer)) {
        showMessage(QStringLiteral("Draw offer canceled."), MsgButtons::Ok, MsgIcon::Information);
        view().setCommandChecked(offer, false);
    } else {
        showMessage(QStringLiteral("Make a move, and the computer will accept or decline your "
                                   "draw offer.\n\nThe computer will decline your draw offer by "
                                   "making a move."),
                    MsgButtons::Ok, MsgIcon::Information);
        view().setCommandChecked(offer, true);
    }
}

void mnMoveResign_Click()
{
    if (showMessage(QStringLiteral("Do you really want to resign?"), MsgButtons::YesNo,
                    MsgIcon::Question) != MsgAnswer::Yes)
        return;
    const bool whiteResigns = Game.EndSide == White;
    Game.GameResult = whiteResigns ? ResultBlackWins : ResultWhiteWins;
    FinishGame();
    GameOver(whiteResigns ? QStringLiteral("White resigns.") : QStringLiteral("Black resigns."),
             IconLoss);
}

QString PositionFault(const RulesBoard& board)
{
    if (!HasBothKings(board))
        return QStringLiteral("Each side must have exactly one king.");
    for (int column = 4; column < 12; ++column)
        for (int row : {0, 7})
            if (TypeOf(board.squares[MakeSquare(column, row)]) == Pawn)
                return QStringLiteral("No pawn may stand on the first or last rank.");
    if (KessrinKingAttacked(board, 1 - board.side))
        return QStringLiteral("The side not to move must not be in check.");
    return {};
}

bool IsChessPosition(const RulesBoard& board)
{
    return PositionFault(board).isEmpty();
}

QString PrintableExcerpt(const QString& text, int length)
{
    QString shown;
    for (const QChar c : text.left(length))
        shown += c.isPrint() ? c : QChar(QChar::ReplacementCharacter);
    return shown;
}

void SetStartPosition(const QString& fen, const RulesBoard& board)
{
    Game.StandardStart = false;
    Game.StartFen = fen;
    Game.Board = board;
    Game.SideToMove = Game.Board.side;
    Game.MoveNumber = 1;
    if (const int at = fen.indexOf(QStringLiteral(" 0 ")); at >= 0)
        Game.MoveNumber = LeadingNumber(fen.mid(at + 3), 1, MaxMoveNumber - 1);
    Game.StartSide = Game.SideToMove;
    Game.StartMoveNumber = Game.MoveNumber;
    Game.EndSide = Game.SideToMove;
}

bool StartFromFen(const QString& fen, bool quiet)
{
    if (fen.isEmpty())
        return false;
    QString text = fen;
    text.remove(QLatin1Char('\r'));
    text.remove(QLatin1Char('\n'));
    // The rules library reads any text at all; one without a king of each side would leave a
    // board on which nothing can be played, so the current game is kept instead.
    RulesBoard board{};
    KessrinFen2Board(board, text.toStdString());
    if (const QString fault = PositionFault(board); !fault.isEmpty()) {
        showMessage(QStringLiteral("This text is not a chess position:\n\n") +
                        PrintableExcerpt(text, 100) + QStringLiteral("\n\n") + fault,
                    MsgButtons::Ok, MsgIcon::Exclamation);
        return false;
    }
    Game.GameFile.clear();
    ResetGame(false, quiet);
    SetStartPosition(text, board);
    RedrawBoard();
    RefreshGameCaptions();
    ShowMoveList(false);
    return true;
}
