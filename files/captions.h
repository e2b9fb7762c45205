// The game header shown beside the board, built from the game tags; also the default file name.
#pragma once

#include <QString>

// Event, then ", Round n" (or the round text as it is when it reads as no number).
QString EventCaption();
// "White (2400) 1-0 Black (2300)", or "(In progress)" ... "(Black wins)" when a name is missing.
QString PlayersCaption();
// "(Site, Date)", "(Site)" or "".
QString SiteDateCaption();
// "Opening: Variation, Sub-variation (ECO)".
QString OpeningCaption();
// "Event - Players", or the players alone when there is no event text.
QString DefaultGameName();
// Refreshes the players' pictures and the header labels of the main window.
void RefreshGameCaptions();
