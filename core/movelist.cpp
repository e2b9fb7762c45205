#include "core/movelist.h"

#include "core/annotations.h"
#include "core/domove.h"
#include "core/gamerecord.h"
#include "engine/enginestate.h"
#include "engine/search.h"
#include "files/savegame.h"
#include "play/clockstate.h"
#include "play/sides.h"
#include "shell/appstate.h"
#include "shell/audio.h"
#include "shell/boardview.h"
#include "shell/frmmain.h"
#include "shell/pieceimages.h"
#include "shell/platform.h"
#include "shell/settings.h"

#include <QAction>
#include <QComboBox>
#include <QIcon>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QSignalBlocker>

#include <memory>

MoveCode LastMoveShown = 0;

namespace {

QAction* MainCommand(const char* name)
{
    return MainForm ? MainForm->command(QString::fromLatin1(name)) : nullptr;
}

void EnableCommand(const char* name, bool enabled)
{
    if (QAction* action = MainCommand(name))
        action->setEnabled(enabled);
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
    BoardView* view = MainBoardView();
    if (!view || !OnBoard(from) || !OnBoard(to))
        return;
    const int fromImage = ImageOfSquare(from);
    const QRect start = view->cellRect(fromImage);
    const QRect end = view->cellRect(ImageOfSquare(to));
    const QPixmap& picture = Pictures.pieces[static_cast<std::size_t>(
        std::clamp(view->cellPicture(fromImage), 0, PieceImageCount - 1))];

    auto moving = std::make_unique<QLabel>(view);
    moving->setAttribute(Qt::WA_TransparentForMouseEvents);
    moving->setScaledContents(true);
    moving->setPixmap(picture);
    moving->setGeometry(start);
    view->setCellPicture(fromImage, 0);
    moving->show();
    moving->raise();
    for (int step = 1; step <= 4; ++step) {
        moving->move(((4 - step) * start.left() + step * end.left()) / 4,
                     ((4 - step) * start.top() + step * end.top()) / 4);
        view->repaint();
        platform().sleepMs(AnimationStepMs);
    }
}

void SetMainIcon(int side)
{
    if (!MainForm)
        return;
    const QString name = side == White ? QStringLiteral("ICONW.PNG") : QStringLiteral("ICONB.PNG");
    const QPixmap icon(App.ProgramFolder + QStringLiteral("IMAGES/") + name);
    if (!icon.isNull())
        MainForm->setWindowIcon(icon);
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
    const bool animated = animate && !Cfg.Blindfold && MainBoardView();
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
        MainBoardView()->repaint();

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
    QListWidget* list = MainForm ? MainForm->lstMoveText : nullptr;
    const QSignalBlocker quiet(list);
    for (int k = Game.PlyCount; k > Game.CurPly; --k) {
        if (list && k < list->count())
            delete list->takeItem(k);
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

void ShowMoveList(bool /*readAloud*/)
{
    if (SelectedSquare > 0) {
        DrawPlain(SelectedSquare);
        SelectedSquare = 0;
    }
    if (Game.MatedKingSquare > 0) {
        DrawPlain(Game.MatedKingSquare);
        Game.MatedKingSquare = 0;
    }
    if (LastMoveShown != 0) {
        DrawPlain(MoveFrom(LastMoveShown));
        DrawPlain(MoveTo(LastMoveShown));
        LastMoveShown = 0;
    }
    if (Game.CurPly > 0) {
        LastMoveShown = Game.Moves[Game.CurPly];
        DrawSquare(MoveFrom(LastMoveShown), true, false);
        DrawSquare(MoveTo(LastMoveShown), true, false);
    }

    EnableMoveCommands();
    if (Game.CurPly == Game.PlyCount) {
        Clock.DemoRunning = false;
        if (QAction* demo = MainCommand("mnQuorvinPlay"))
            demo->setChecked(false);
    }
    // Analysis of the old position is stopped; the tick restarts it on the shown one.
    if (Engine.ThinkShown && !EngineWhite && !EngineBlack)
        HaltEngine();
    Engine.DrawOffer = false;
    const bool userToMove = !(Game.EndSide == White ? EngineWhite : EngineBlack);
    EnableCommand("mnMoveDraw", userToMove);
    EnableCommand("mnMoveResign", userToMove);
    if (!MainForm)
        return;

    if (MainForm->txtComment->toPlainText() != CommentAsShown(Game.MoveComment[Game.CurPly]))
        MainForm->txtComment->setPlainText(Game.MoveComment[Game.CurPly]);
    SetMainIcon(Game.EndSide);
    {
        const QSignalBlocker quiet(MainForm->lstMoveText);
        MainForm->lstMoveText->setCurrentRow(Game.CurPly);
        if (QListWidgetItem* item = MainForm->lstMoveText->item(Game.CurPly))
            MainForm->lstMoveText->scrollToItem(item);
    }
    QComboBox* annotation = MainForm->cmbAnnotation;
    annotation->setCurrentIndex(Game.CurPly == 0 ? 0 : Game.MoveNag[Game.CurPly]);
    annotation->setEnabled(Game.CurPly > 0);
}

void ResetMoveList()
{
    LastMoveShown = 0;
    if (!MainForm)
        return;
    {
        const QSignalBlocker quiet(MainForm->lstMoveText);
        MainForm->lstMoveText->clear();
        MainForm->lstMoveText->addItem(QStringLiteral("==Start=="));
    }
    MainForm->cmbAnnotation->setCurrentIndex(0);
    MainForm->txtComment->clear();
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
    if (!MainForm)
        return;
    const int target = MainForm->lstMoveText->currentRow();
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
