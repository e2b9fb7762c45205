// Wiring of the Challenge menu (the puzzle series) to the main window.
#pragma once

class frmMain;

// Connects and enables Current Puzzle Series, the six series with the tick of the current one,
// and the endgame database link.
void ConnectPuzzleCommands(frmMain& form);
