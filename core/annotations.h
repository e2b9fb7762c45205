// The annotation sign and comment of the shown ply, edited with the main window's controls.
#pragma once

#include <QString>

// Stores the annotation chosen in cmbAnnotation for the shown ply (not at the start position).
void cmbAnnotation_Click();
// Stores the text of txtComment as the comment of the shown ply (or the start comment).
void txtComment_Change();
// Rewrites the move-list line of ply k (0..PlyCount) after its annotation or comment changed.
void RefreshPlyLine(int k);
// A comment as the comment box shows it: every line break a plain "\n".
QString CommentAsShown(QString comment);
