// The program's shared file dialogs and the file-error message.
#pragma once

#include <QString>

// Open dialog when defaultName is empty, else the save dialog preset with the cleaned name and
// extension. Returns the chosen path, or "" when cancelled.
QString FileDialog(const QString& title, const QString& description, const QString& extension,
                   const QString& defaultName);
QString OpenFileDialog(const QString& title, const QString& filter);
QString SaveFileDialog(const QString& title, const QString& filter, const QString& initialName,
                       const QString& defaultExtension);
// "Error Open File: " + path, exclamation icon, OK.
void ShowFileError(const QString& path);
// A name with the characters a file name cannot hold replaced: \ / : * ? < > | by "_", " by '.
QString CleanFileName(const QString& name);
