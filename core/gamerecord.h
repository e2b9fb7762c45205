// The game record: the one game the program holds, its moves, annotations, tags and the position
// shown, plus the small routines that turn record entries into move-list text.
#pragma once

#include <array>

#include <QString>

#include "kessrin.h"

constexpr int MaxPly = 1023;        // plies a game can record
constexpr int MaxMoveNumber = 1000; // highest full-move number
constexpr const char* StandardFen = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1";

// GameResult codes.
enum : int { ResultNone = 0, ResultWhiteWins = 1, ResultDraw = 2, ResultBlackWins = 3 };

struct GameRecord {
    RulesBoard Board{};                       // the position currently shown
    QString StartFen = StandardFen;           // FEN of the start position
    bool StandardStart = true;                // starts from the standard position (no FEN to save)
    int StartSide = White;                    // side to move in StartFen
    int StartMoveNumber = 1;                  // full-move number of StartFen
    int SideToMove = White;                   // side to move in Board
    int MoveNumber = 1;                       // full-move number of Board
    int EndSide = White;                      // side to move after the last recorded ply
    int CurPly = 0;                           // plies applied to Board
    int PlyCount = 0;                         // plies recorded, 0..MaxPly
    std::array<MoveCode, MaxPly + 1> Moves{}; // 1..PlyCount
    std::array<QString, MaxPly + 1> MoveSan;  // 1..PlyCount, with "+" or "#"
    std::array<int, MaxPly + 1> MoveNag{};    // 1..PlyCount, 0..6
    std::array<QString, MaxPly + 1> MoveComment; // 0 = before the first move
    QString TagEvent, TagSite, TagDate, TagRound, TagWhite, TagWhiteElo, TagBlack, TagBlackElo,
        TagEco, TagOpening, TagVariation, TagSubVariation; // "" = absent
    int GameResult = ResultNone;
    bool AutoEco = true;        // opening tags follow the moves
    QString GameFile;           // PGN file of the game; "" = none
    bool Modified = false;      // changed since last saved
    bool Flipped = false;       // Black at the bottom
    int MatedKingSquare = 0;    // square of a mated king; 0 = none
    double MoveStartTime = 0.0; // seconds since midnight when the last ply was recorded
    int SelectedSquare = 0;     // square picked for move entry; 0 = none, cleared by redraws
    MoveCode LastMoveShown = 0; // move highlighted on the board
    int PromotionChoice = 0;    // piece picked in the promotion dialog, 0 queen .. 3 knight
};

// The program's one game. Start-up calls resetRecord(false) after KessrinInit to set its Board.
extern GameRecord Game;

// Starts the record over at the standard position with no plies; keepTags keeps the twelve tag
// texts, GameResult and AutoEco. Windows showing the record are not refreshed here.
void resetRecord(bool keepTags);

// "12." for a White move 12; as many spaces for a Black move so the moves line up.
QString MoveNumberPrefix(int moveNumber, int side);
// "", "!", "?", "!!", "??", "!?", "?!" for codes 0..6; "" for anything else.
QString AnnotationSymbol(int nag);
// Full-move number and side of recorded ply 1..MaxPly, counted from the start position.
int PlyMoveNumber(int ply);
int PlySide(int ply);
// Move-list line of ply: number prefix, SAN, annotation symbol, "*" when commented.
QString PlyLine(int ply);
// Square of the king of SideToMove (0 when none); resets MatedKingSquare first.
int KingSquare();
