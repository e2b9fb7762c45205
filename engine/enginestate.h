// Program-wide state of the engines: the main engine's activity, what it was asked to search and
// what it reported, the slave engine's side, and the ponder bookkeeping the game core reads.
#pragma once

#include "kessrin.h"

#include <QString>

struct EngineStatus {
    // 0 no engine, 1 idle, 2 idle and not to start by itself, 3 ponder result stored,
    // 4 "stop" sent and the answer to be dropped, 5 analysing, 6 searching its own move,
    // 7 pondering.
    int EngineState = 0;
    MoveCode PonderMove = 0; // the reply the engine ponders on; 0 = none
    QString PonderSan;       // its SAN with "+" or "#"
    bool DrawOffer = false;  // a draw offer is pending
    bool PonderOn = false;   // the engine ponders after its own move
    bool ThinkShown = false; // the thinking window is open

    QString EngineName;      // "id name" of the main engine
    QString EngineAuthor;    // "id author" of the main engine
    QString SlaveName;       // "id name" of the slave engine
    bool EngineWhite = false; // the engine plays White
    bool EngineBlack = false; // the engine plays Black
    // In the "Alternation" role the engine takes White in the next game; flips at each use, not
    // stored between runs.
    bool AlternateWhite = false;
    bool SlaveWhite = false; // the slave plays White; with SlaveBlack at most one is set
    bool SlaveBlack = false;

    RulesBoard EngineBoard{}; // the position of the running search
    double SearchStart = 0.0; // seconds since midnight when it started
    int LegalMoveCount = 0;   // legal moves in EngineBoard
    int SearchDepth = 0;      // last depth reported
    int LastScore = 0;        // last exact score reported, centipawns
    int ReversiblePlies = 0;  // plies since the last irreversible one among those sent

    // A ponder search that ended by itself (EngineState 3).
    MoveCode StoredBest = 0;
    MoveCode StoredPonder = 0;
    bool StoredResign = false;
    bool StoredDraw = false;

    void reset() { *this = EngineStatus{}; }
};

extern EngineStatus Engine;

// True while an engine process is loaded.
inline bool EngineLoaded()
{
    return Engine.EngineState > 0;
}
// True while a slave engine is loaded.
inline bool SlaveLoaded()
{
    return Engine.SlaveWhite || Engine.SlaveBlack;
}
