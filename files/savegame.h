// Whether the game changed since it was saved, the question before a changed game is discarded,
// Save, Save As, View Text and the main window's title.
#pragma once

#include <QString>

// Marks the game changed and enables the Save command.
void SetModified();
// Marks the game saved and disables the Save command.
void ClearModified();
// Asks whether to save a changed game; true when the caller must abandon its action.
bool PromptSave();
// Lets the user choose a file and saves the game there; true when the game was written.
bool SaveGameAs();
// The main window's caption for a game file and the main engine's name.
QString WindowTitle(const QString& gameFile, const QString& engineName);
// Sets the main window's caption from GameFile, or the main engine's name when there is none.
void SetWindowTitle();

// Command handlers: Save (Save As when the game has no file), Save As, View Text.
void mnFileSave_Click();
void mnFileSaveAs_Click();
void mnFilePgn_Click();
