// Stepping through the recorded game on the board, cutting it back, and keeping the move list,
// the Move commands and the annotation controls in step with the shown ply.
#pragma once

#include "kessrin/encoding.h"

// Pause between the four steps of a move animation.
constexpr int AnimationStepMs = 25;

// Takes back ply CurPly on the board and redraws the squares it touched. Requires CurPly > 0.
void StepBack();
// Replays ply CurPly + 1, sliding the piece in four steps when animate (and not blindfold);
// withSound plays the engine's move sounds and the game-end sound. Requires CurPly < PlyCount.
void StepForward(bool animate, bool withSound);
// Deletes the plies after CurPly, their list lines and comments; GameResult is kept.
void TruncateMoves();
// Refreshes the board marks, the Move commands, the move list selection and the annotation
// controls for the shown ply; reads the ply aloud when ReadMove is on or readAloud is set.
void ShowMoveList(bool readAloud);
// Empties the move list to its start line and clears the annotation controls and last-move
// marks, for a record that was just reset.
void ResetMoveList();
// Enables the Move commands by the shown ply (Retract, Start, Back, Forward, End, Delete).
void EnableMoveCommands();

// Move menu and move list handlers.
void mnMoveStart_Click();
void mnMoveBack_Click();
void mnMoveForward_Click();
void mnMoveEnd_Click();
void mnMoveRetract_Click();
void mnMoveDel_Click();
void lstMoveText_Click();
