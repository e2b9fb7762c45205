// Writing the game record as a PGN text file, and the automatic save file.
#pragma once

#include <QString>

// "[" name " " '"' value '"' "]" with every carriage return and line feed removed from value.
QString TagLine(const QString& name, const QString& value);
// "*", "1-0", "1/2-1/2" or "0-1" for GameResult 0..3.
QString ResultToken(int gameResult);
// The whole PGN text of the game record, every line ending in "\r\n"; annotation marks are left
// out.
QString GameText();
// Path of the automatic save file in the program folder.
QString AutosavePath();
// Writes GameText() as UTF-8 to the automatic save file or to GameFile. On failure shows the file
// error and changes nothing. A successful save to GameFile clears Modified and disables Save;
// the automatic save leaves both alone. Returns whether the file was written.
bool WriteGame(bool toAutosave);
