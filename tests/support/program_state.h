// The program-wide state a window test starts from.
#pragma once

// Puts every program-wide variable back as a fresh start would leave it, with the settings at
// their defaults except for what would slow or block a test: no animation, music, new-game
// dialog or "play again" question. Creates the application and loads the rules library.
void ResetProgramState();
