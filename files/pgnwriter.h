// Writing the game record as a PGN text file, and the automatic save file.
#pragma once

#include <QString>

// "[" name " " '"' value '"' "]" with every carriage return and line feed removed from value, and
// each backslash and double quote in it escaped by a backslash, as PGN readers expect.
QString TagLine(const QString& name, const QString& value);
// "*", "1-0", "1/2-1/2" or "0-1" for GameResult 0..3.
QString ResultToken(int gameResult);
// The whole PGN text of the game record, every line ending in "\r\n"; annotation marks are left
// out.
QString GameText();
// Where the automatic copy lives: the program folder, or the user's data folder when the program
// folder is not writable.
QString AutosaveFolder();
// Path of the automatic save file, "AUTOSAVE.PGN" in that folder.
QString AutosavePath();
// Writes GameText() as UTF-8 to the automatic save file or to GameFile. On failure shows the file
// error and changes nothing. A successful save to GameFile clears Modified and disables Save;
// the automatic save leaves both alone. Returns whether the file was written.
bool WriteGame(bool toAutosave);
// With "AutoSave" on, rewrites the automatic save file after a change, so that a crash loses at
// most the move being made. A failure is reported once, and the copy is then left alone.
void AutoSaveGame();
// Renames an automatic save file that could not be read to a dated name beside it, so that no
// new copy replaces it. False (and no copy is written this run) when it cannot be renamed.
bool KeepAutosaveAside();
