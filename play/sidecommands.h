// The Computer menu's side commands: which sides the engine plays and whether it ponders.
#pragma once

// "Computer &White": the engine takes or leaves White. A search it runs for Black while Black is
// to move goes on; any other search is stopped first.
void mnEngineWhite_Click();
// "Computer &Black": the mirror image of mnEngineWhite_Click.
void mnEngineBlack_Click();
// "&Ponder": switches pondering; switching it off ends a ponder search but never the engine's
// search for its own move.
void mnEnginePonder_Click();
