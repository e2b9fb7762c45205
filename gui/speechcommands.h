// Wiring of the reading commands of the Quorvinry menu to the spoken texts.
#pragma once

class frmMain;

// Connects and enables Read Move, Read Position, the sixteen Read Line items and Stop Reading.
void ConnectSpeechCommands(frmMain& form);
