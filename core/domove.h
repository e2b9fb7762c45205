// Recording a move in the game, and every way a game ends.
#pragma once

#include <QString>

#include "kessrin.h"
#include "kessrin/encoding.h"

// Move modes of DoMove.
enum MoveMode : int {
    ModeQuiet = 0,  // PGN reading, engine console: no sound, message or list refresh
    ModeClick = 1,  // board click: an illegal move sounds only when the rules library asks
    ModeTyped = 2,  // typed move: every illegal move sounds
    ModeEngine = 3, // the engine's move: the engine's variants of the move sounds
};

// Game-over pictures, by the icon numbers the callers pass to GameOver.
enum GameOverIcon : int { IconWin = 15, IconDraw = 16, IconLoss = 17 };

// Plays move on the shown position and records it as the new last ply, with annotation (0..6)
// as its MoveNag. False when the move was refused (illegal, the user kept the later plies, or
// the record is full).
bool DoMove(MoveCode move, int mode, int annotation);

// The move sound for the flags of a move that leaves the opponent a reply: "CHECK", "SPECIAL",
// "CAPTURE" or "MOVE", with "2" appended for the engine's moves.
QString MoveSoundName(int flags, int mode);

// Announces the end of a game with its sound, the mated king and a message with the picture of
// icon (IconWin, IconDraw or IconLoss).
void GameOver(const QString& text, int icon);
// Stops what runs during a game once a result is reached.
void FinishGame();
// The side to move in the live game (EndSide) resigns.
void SideResigns();
// The game ends in a draw by agreement.
void DrawAgreed();
// The engine, having just moved, offers a draw (only on full-move numbers divisible by 5).
void OfferDraw();
// Fills the opening tags from the moves, while AutoEco holds and the game is short enough.
void ClassifyOpening();

// Move menu: "Offer / Accept a Draw" and "Resign".
void mnMoveDraw_Click();
void mnMoveResign_Click();

// Starts a new game from fen (line breaks ignored); quiet keeps the engine from being told about
// the new game. An empty text does nothing; a text that is no playable position (PositionFault)
// is refused with a message. False when the game was kept.
bool StartFromFen(const QString& fen, bool quiet);
// Why an engine could not play from board: a side without exactly one king, a pawn on the first
// or last rank, or the side not to move in check; "" for a playable position.
QString PositionFault(const RulesBoard& board);
// PositionFault finds nothing, so that moves can be played from board.
bool IsChessPosition(const RulesBoard& board);
// The first length characters of text for a message, with unprintable ones replaced.
QString PrintableExcerpt(const QString& text, int length);
// Makes board (read from fen) the start of a just reset record: sides, and the move number read
// after the first " 0 " of fen (1 when there is none).
void SetStartPosition(const QString& fen, const RulesBoard& board);
