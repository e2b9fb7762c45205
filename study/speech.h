// Moves and positions read aloud: the English texts built for the voice, and the commands that
// ask for them. The voice itself is the Platform's.
#pragma once

#include <QString>

// Speaks text without waiting, cutting off what is being spoken; "" silences the voice. Silent
// when there is no working voice.
void Speak(const QString& text);

// "King" ... "Pawn" for piece types 0..5.
QString PieceWord(int type);
// SAN as it is spoken: "Nbd7" gives "Knight b, d7", "O-O+" gives "Kingside Castle, checks".
QString SpokenMove(const QString& san);
// "White Knight f3, " for a square of the displayed board (rotated when Flipped); "" when empty.
QString SquareReading(int square);

// The sentence for the shown ply: the start comment at ply 0, otherwise number, side, move and
// its comment.
QString MoveAnnouncement();
// Speaks MoveAnnouncement(); ShowMoveList runs it when ReadMove is on or a reading is asked.
void AnnounceMove();
// Reads display column 4..11 (4 = leftmost), nearest square to the user first.
void ReadFile(int column);
// Reads display row 0..7 (0 = top), right to left.
void ReadRank(int row);
// Reads every piece of both sides, the side at the bottom first, and the side to move.
void ReadPosition();

// Quorvinry menu handlers.
void mnQuorvinReadMove_Click();
void mnQuorvinReadPos_Click();
void mnQuorvinReadFile_Click(int index);
void mnQuorvinReadRank_Click(int index);
void mnQuorvinStopRead_Click();
// Options dialog link: the web site's page on installing a voice.
void lblDownloadTTS_Click();
