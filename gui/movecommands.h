// Wiring of the Move menu, the move list, the annotation controls, the move box and the board
// clicks of the main window to the game core.
#pragma once

class frmMain;

// Connects and enables the Move commands and the controls' signals. Call once the board view is
// installed (it connects the board's clicks only when there is one).
void ConnectMoveCommands(frmMain& form);
