// Wiring of the publishing and sharing commands: the searches, the board picture, the "Publish
// Game" dialog, the share menu and the tablebase page.
#pragma once

class frmMain;

// Connects and enables them.
void ConnectPublishCommands(frmMain& form);
