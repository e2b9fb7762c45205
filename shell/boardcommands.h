// The main window's board: installing the board view and the commands that change its look
// (rotation, blindfold, board pictures) and the music menu.
#pragma once

class frmMain;

// Installs the board view in the form's boardHost, adds the eleven pieces of music to the
// Music menu, and connects and enables mnPosFlip, mnQuorvinBlindfold, mnOptionsBoard and
// mnOptionsMusic. Running it again on the same form does nothing.
void ConnectBoardCommands(frmMain& form);
// Applies the settings to the board and its commands: board picture, ticks, coordinates, music.
void ApplyBoardSettings();

// Turns the board around (mnPosFlip).
void Rotate();
// Toggles blindfold play (mnQuorvinBlindfold).
void SetBlindfold();
// Loads board picture 0..5 and ticks its item alone (mnOptionsBoard); a picture that cannot be
// read changes nothing.
void SetBoardPicture(int index);
