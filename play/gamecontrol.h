// The game controller: new games, who plays which side, the players' names, handicap starts and
// the demonstration replay.
#pragma once

#include <QString>

// The computer's role in a new game (setting "EnginePlay").
enum EngineRole : int {
    RoleNoComputer = 0,
    RoleComputerWhite = 1,
    RoleComputerBlack = 2,
    RoleAlternation = 3,
    RoleRandom = 4,
};

// Handicap starts, White (the side giving odds) to move: without the queen's knight, the
// queen's rook, the queen.
inline constexpr const char* HandicapFens[3] = {
    "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/R1BQKBNR w KQkq - 0 1",
    "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/1NBQKBNR w Kkq - 0 1",
    "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNB1KBNR w KQkq - 0 1",
};

// The human's name in the player tags when the "User" setting is empty.
inline constexpr const char* DefaultUserName = "Chess Fan";

// Returns the game to the standard start: halts the engine (telling it about the new game
// unless quiet), clears the record (tags too unless keepTags), the board's rotation, the
// modified mark and the clocks, and sets the demonstration flag from "AutoPlay".
void ResetGame(bool keepTags, bool quiet);
// ResetGame, then redraws the board, the captions and the move list.
void NewGame();
// Opens the new-game dialog when "ShowNew" is on; otherwise a new game with the stored role.
void AskNewGame();
// Plays "NEWGAME" and, with an engine loaded, gives the computer its sides for role 0..4
// (negative: the "EnginePlay" setting), then prepares the players when it plays one.
void AssignSides(int role);
// After the engine's sides changed: pondering, the board's orientation, the player tags, the
// captions and the clocks.
void PreparePlayers();

// Sets the demonstration flag with its menu tick and toolbar button.
void SetDemoRunning(bool running);
// The demonstration replay's part of the main loop's tick: one ply forward every "PlayIntv"
// seconds while the flag is on and the voice is idle.
void DemoStep();

// "&New Game...": asks to save a changed game, then AskNewGame.
void mnFileNew_Click();
// "&Demonstrate": starts or stops the replay; at the last ply it only stops.
void mnQuorvinPlay_Click();
// Handicap item 0..5 of the command set: 0..2 the computer gives a knight, rook or queen
// (playing the weakened White), 3..5 the human does.
void mnQuorvinHandicap_Click(int index);
