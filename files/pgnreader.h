// Reading a game from a PGN file into the game record, and the Open command.
#pragma once

#include <QByteArrayView>
#include <QString>

// True, with the value, when line (leading spaces removed) is the tag NAME: its name matched
// without regard to case and followed by one space and a double quote. The value runs to the
// next double quote, or to the end of the line when there is none. A backslash escapes a
// backslash, and a double quote that a closing one still follows on the line.
bool ParseTagLine(QString& value, const QString& line, const QString& name);
// Consumes a prefix of a movetext line (possibly all of it), playing a move, collecting comment
// text (depth counts the open braces and parentheses) or reading a result. True when the game
// text has ended.
bool ParseMovetext(QString& line, QString& comment, int& depth);

// Reads the first game of GameFile, or of the automatic save file when fromAutosave. A user file
// is shown at its start position and keeps its name; the automatic copy stays at its last
// position and has no file name. A file that cannot be opened leaves a new game (and, for a user
// file, the file-error message).
void LoadGameFile(bool fromAutosave);
// Reads the game held in bytes, a part of the user file GameFile, as LoadGameFile does.
void LoadGameBytes(QByteArrayView bytes);
// Reads the game text of bytes into a record that was just reset; false when no tag, move or
// result was found in them.
bool ReadGameText(QByteArrayView bytes);

// Lets the user pick a PGN file, and one of its games when it holds several, and loads it. A
// cancelled choice changes nothing.
void OpenGame();
// "&Open...": OpenGame unless the user cancels saving the changed game.
void mnFileOpen_Click();
