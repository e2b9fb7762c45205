// The main window's board: installing the board view and the commands that change its look
// (rotation, blindfold, board pictures) and the music menu.
#pragma once

class frmMain;

// Installs the board view in the form's boardHost, adds the eleven pieces of music to the
// Music menu, and connects and enables mnPosFlip, mnQuorvinBlindfold, mnOptionsBoard and
// mnOptionsMusic. Running it again on the same form does nothing.
void ConnectBoardCommands(frmMain& form);
