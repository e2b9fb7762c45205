// The board as the logic sees it: which picture each of the view's 64 square images shows for
// the game record's position, and the commands that change the board's look.
#pragma once

#include <QString>

constexpr int PieceImageCount = 28;
constexpr int HighlightOffset = 13; // index of the highlighted version of pictures 0..12
constexpr int WhiteMatedImage = 26;
constexpr int BlackMatedImage = 27;

// Picture index of a piece code: 1..6 for White's 8..13, 7..12 for Black's 16..21, else 0.
int PieceImageIndex(int pieceCode);

// Square shown by image 0..63 in the current orientation, and the image showing a square.
int SquareOfImage(int image);
int ImageOfSquare(int square);
// "e4" for square 72.
QString SquareName(int square);

// Shows the piece of a square, highlighted when selected; a mated king is shaken (with
// Animation) and shown with its mated picture. Blindfold shows every square empty.
void DrawSquare(int square, bool selected, bool mated);
// Clears SelectedSquare and MatedKingSquare, then draws all 64 squares plainly.
void RedrawBoard();
// Sets the 64 coordinate captions and tooltips for the current orientation.
void FillCoordinates();
// Shows or hides the coordinate captions, refilling them when shown.
void ShowCoordinates(bool shown);

// Applies the settings to the board and its commands: board picture, ticks, coordinates, music.
void ApplyBoardSettings();
// Turns the board around (mnPosFlip).
void Rotate();
// Toggles blindfold play (mnQuorvinBlindfold).
void SetBlindfold();
// Loads board picture 0..5 and ticks its item alone (mnOptionsBoard); a picture that cannot be
// read changes nothing.
void SetBoardPicture(int index);
