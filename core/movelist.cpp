#include "core/movelist.h"

#include "core/annotations.h"
#include "core/board.h"
#include "core/domove.h"
#include "core/gamerecord.h"
#include "engine/enginestate.h"
#include "engine/search.h"
#include "files/savegame.h"
#include "play/clockstate.h"
#include "shell/appstate.h"
#include "shell/audio.h"
#include "shell/platform.h"
#include "shell/settings.h"
#include "shell/view.h"
#include "study/speech.h"

namespace {

void EnableCommand(const char* name, bool enabled)
{
    view().setCommandEnabled(QString::fromLatin1(name), enabled);
}

void DrawPlain(int square)
{
    DrawSquare(square, false, false);
}

// The castling (0..3) of side whose king now stands on its castling target square. Found from
// the board rather than from the move's to-square, which in Chess960 may name the king's target
// on the far side of its start square.
int CastlingIndexOnBoard(int side)
{
    const int king = ColourValue(side) + King;
    const int kingSide = side * 2;
    return Game.Board.squares[KingTarget(kingSide)] == king ? kingSide : kingSide + 1;
}

void DrawCastlingSquares(int index)
{
    DrawPlain(Game.Board.castlingRooks[index]);
    DrawPlain(RookTarget(index));
    DrawPlain(KingTarget(index));
}

// Slides the picture of from to the square to in four steps over the board; the from-square
// shows empty once the piece has left it.
void AnimatePiece(int from, int to)
{
    View& board = view();
    if (!board.hasBoard() || !OnBoard(from) || !OnBoard(to))
        return;
    const int fromImage = ImageOfSquare(from);
    const int toImage = ImageOfSquare(to);
    const int picture = board.squarePicture(fromImage);
    board.showGlidingPiece(picture, fromImage, toImage, 0, 4);
    board.setSquarePicture(fromImage, 0);
    for (int step = 1; step <= 4; ++step) {
        board.showGlidingPiece(picture, fromImage, toImage, step, 4);
        board.repaintBoard();
        platform().sleepMs(AnimationStepMs);
    }
    board.hideGlidingPiece();
}

void SetMainIcon(int side)
{
    const QString name = side == White ? QStringLiteral("ICONW.PNG") : QStringLiteral("ICONB.PNG");
    view().setWindowIconFile(App.ProgramFolder + QStringLiteral("IMAGES/") + name);
}

} // namespace

void StepBack()
{
    const MoveCode move = Game.Moves[Game.CurPly];
    const int from = MoveFrom(move);
    const int to = MoveTo(move);
    const int mover = 1 - Game.SideToMove;
    const int castling = CastlingIndexOnBoard(mover);
    const int flags = KessrinUndoMove(Game.Board);
    DrawPlain(from);
    DrawPlain(to);
    if (flags & MoveFlag::Castling)
        DrawCastlingSquares(castling);
    else if (flags & MoveFlag::EnPassant)
        DrawPlain(to + PawnStep(Game.SideToMove));
    Game.CurPly -= 1;
    Game.SideToMove = 1 - Game.SideToMove;
    Game.MoveNumber -= Game.SideToMove;
}

void StepForward(bool animate, bool withSound)
{
    Game.CurPly += 1;
    const MoveCode move = Game.Moves[Game.CurPly];
    const int from = MoveFrom(move);
    const int to = MoveTo(move);
    const bool animated = animate && !Cfg.Blindfold && view().hasBoard();
    if (animated)
        AnimatePiece(from, to);

    int flags = 0;
    KessrinTryMove(Game.Board, flags, move);
    DrawPlain(to);
    DrawPlain(from);
    if (flags & MoveFlag::Castling)
        DrawCastlingSquares(CastlingIndexOnBoard(Game.SideToMove));
    else if (flags & MoveFlag::EnPassant)
        DrawPlain(to - PawnStep(Game.SideToMove));
    if (animated)
        view().repaintBoard();

    Game.MoveNumber += Game.SideToMove;
    Game.SideToMove = 1 - Game.SideToMove;

    if (!withSound)
        return;
    if (!(flags & MoveFlag::NoReply)) {
        PlaySoundName((flags & MoveFlag::Check)     ? QStringLiteral("CHECK2")
                      : (flags & MoveFlag::Capture) ? QStringLiteral("CAPTURE2")
                                                    : QStringLiteral("MOVE2"));
    } else if (flags & MoveFlag::Check) {
        PlaySoundName(QStringLiteral("LOSS"));
        DrawSquare(KingSquare(), false, true);
    } else {
        PlaySoundName(QStringLiteral("DRAW"));
    }
}

void TruncateMoves()
{
    if (Engine.EngineState == 2)
        Engine.EngineState = 1;
    else if (EngineLoaded())
        HaltEngine();
    for (int k = Game.PlyCount; k > Game.CurPly; --k) {
        if (k < view().moveRowCount())
            view().removeMoveRow(k);
        Game.MoveComment[k].clear();
    }
    Game.EndSide = Game.SideToMove;
    Game.PlyCount = Game.CurPly;
}

void EnableMoveCommands()
{
    const bool atStart = Game.CurPly == 0;
    const bool atEnd = Game.CurPly == Game.PlyCount;
    EnableCommand("mnMoveRetract", !atStart && atEnd);
    EnableCommand("mnMoveStart", !atStart);
    EnableCommand("mnMoveBack", !atStart);
    EnableCommand("mnMoveForward", !atEnd);
    EnableCommand("mnMoveEnd", !atEnd);
    EnableCommand("mnMoveDel", !atStart);
}

void ShowMoveList(bool readAloud)
{
    if (Game.SelectedSquare > 0) {
        DrawPlain(Game.SelectedSquare);
        Game.SelectedSquare = 0;
    }
    if (Game.MatedKingSquare > 0) {
        DrawPlain(Game.MatedKingSquare);
        Game.MatedKingSquare = 0;
    }
    if (Game.LastMoveShown != 0) {
        DrawPlain(MoveFrom(Game.LastMoveShown));
        DrawPlain(MoveTo(Game.LastMoveShown));
        Game.LastMoveShown = 0;
    }
    if (Game.CurPly > 0) {
        Game.LastMoveShown = Game.Moves[Game.CurPly];
        DrawSquare(MoveFrom(Game.LastMoveShown), true, false);
        DrawSquare(MoveTo(Game.LastMoveShown), true, false);
    }

    EnableMoveCommands();
    if (Game.CurPly == Game.PlyCount) {
        Clock.DemoRunning = false;
        view().setCommandChecked(QStringLiteral("mnQuorvinPlay"), false);
    }
    // Analysis of the old position is stopped; the tick restarts it on the shown one.
    if (Engine.ThinkShown && !Engine.EngineWhite && !Engine.EngineBlack)
        HaltEngine();
    Engine.DrawOffer = false;
    const bool userToMove = !(Game.EndSide == White ? Engine.EngineWhite : Engine.EngineBlack);
    EnableCommand("mnMoveDraw", userToMove);
    EnableCommand("mnMoveResign", userToMove);

    View& shown = view();
    if (shown.commentText() != CommentAsShown(Game.MoveComment[Game.CurPly]))
        shown.setCommentText(Game.MoveComment[Game.CurPly]);
    SetMainIcon(Game.EndSide);
    shown.selectMoveRow(Game.CurPly);
    shown.setAnnotationIndex(Game.CurPly == 0 ? 0 : Game.MoveNag[Game.CurPly]);
    shown.setAnnotationEnabled(Game.CurPly > 0);
    if (Cfg.ReadMove || readAloud)
        AnnounceMove();
}

void ResetMoveList()
{
    Game.LastMoveShown = 0;
    view().resetMoveList();
    view().setAnnotationIndex(0);
    view().setCommentText(QString());
}

void mnMoveStart_Click()
{
    while (Game.CurPly > 0)
        StepBack();
    ShowMoveList(false);
}

void mnMoveBack_Click()
{
    if (Game.CurPly == 0)
        return;
    StepBack();
    ShowMoveList(false);
}

void mnMoveForward_Click()
{
    if (Game.CurPly >= Game.PlyCount)
        return;
    StepForward(false, false);
    ShowMoveList(false);
}

void mnMoveEnd_Click()
{
    while (Game.CurPly < Game.PlyCount)
        StepForward(false, false);
    ShowMoveList(false);
}

void lstMoveText_Click()
{
    const int target = view().selectedMoveRow();
    if (target < 0 || target > Game.PlyCount || target == Game.CurPly)
        return;
    while (Game.CurPly > target)
        StepBack();
    while (Game.CurPly < target)
        StepForward(false, false);
    ShowMoveList(false);
}

void mnMoveRetract_Click()
{
    if (EngineLoaded())
        HaltEngine();
    for (int taken = 0; taken < 2 && Game.CurPly > 0; ++taken)
        StepBack();
    TruncateMoves();
    ShowMoveList(false);
    SetModified();
    ClassifyOpening();
}

void mnMoveDel_Click()
{
    if (Game.CurPly == 0)
        return;
    if (Game.CurPly < Game.PlyCount &&
        showMessage(QStringLiteral("This will clear all later moves.\n\nDo you want to continue?"),
                    MsgButtons::YesNo, MsgIcon::Question) != MsgAnswer::Yes)
        return;
    if (EngineLoaded())
        HaltEngine();
    StepBack();
    TruncateMoves();
    ShowMoveList(false);
    SetModified();
    ClassifyOpening();
}
