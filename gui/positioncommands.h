// Wiring of the position commands (clipboard, position files, move import, the position editor)
// and of the tag editor to the main window.
#pragma once

class frmMain;

// Connects and enables the Position menu's exchange commands, Edit Position, the two import
// commands of the Move menu and Edit Tags.
void ConnectPositionCommands(frmMain& form);
