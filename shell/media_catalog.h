#pragma once
// The pictures, sounds and music the build puts into the program folder (see assets/).
// File names are relative to their folder; folders are relative to ProgramFolder.

#include <array>
#include <string_view>

namespace media {

inline constexpr std::string_view imagesFolder = "IMAGES/";
inline constexpr std::string_view soundsFolder = "SOUNDS/";
inline constexpr std::string_view musicFolder = "MUSICS/";

// Base names of the piece image set; each is "<name>.GIF", the first thirteen also "<name>S.GIF".
inline constexpr std::array<std::string_view, 15> pieceBaseNames{
    "OO", "WK", "WQ", "WR", "WB", "WN", "WP", "BK", "BQ", "BR", "BB", "BN", "BP", "WKM", "BKM"};
inline constexpr std::size_t highlightedPieceCount = 13;

// Board pictures in the order of the "Board" setting.
inline constexpr std::array<std::string_view, 6> boardPictures{
    "BOARD.GIF", "MARBLE.JPG", "METAL.JPG", "WOOD1.JPG", "WOOD2.JPG", "WOOD3.JPG"};

// Every sound the program plays, as "<name>.WAV".
inline constexpr std::array<std::string_view, 14> soundNames{
    "MOVE",     "CAPTURE", "CHECK", "SPECIAL", "MOVE2", "CAPTURE2", "CHECK2",
    "SPECIAL2", "ILLEGAL", "WIN",   "LOSS",    "DRAW",  "CLICK",    "NEWGAME"};

// "Music" = 1..11 plays musicBaseNames[Music - 1] + ".MID"; its menu item is musicCaptions[Music -
// 1].
inline constexpr std::array<std::string_view, 11> musicBaseNames{
    "ELISE", "JOY",   "GREENSLV", "CANON",    "MINUET", "LULLABY",
    "LARGO", "GYMNO", "SWANLAKE", "MOUNTAIN", "GRACE"};
inline constexpr std::array<std::string_view, 11> musicCaptions{
    "&B. Für Elise",       "&C. Ode to Joy",
    "&D. Greensleeves",    "&E. Canon in D",
    "&F. Minuet in G",     "&G. Lullaby",
    "&H. New World Largo", "&I. Gymnopédie No. 1",
    "&J. Swan Lake",       "&K. In the Hall of the Mountain King",
    "&L. Amazing Grace"};

// The program's own pictures.
inline constexpr std::string_view winPicture = "WIN.GIF";             // game won by the user
inline constexpr std::string_view drawPicture = "DRAW.GIF";           // game drawn
inline constexpr std::string_view lossPicture = "LOSS.GIF";           // game lost by the user
inline constexpr std::string_view engineWhitePicture = "ENGINEW.GIF"; // computer plays White
inline constexpr std::string_view engineBlackPicture = "ENGINEB.GIF"; // computer plays Black
inline constexpr std::string_view whiteToMoveIcon = "ICONW.PNG";      // window icon
inline constexpr std::string_view blackToMoveIcon = "ICONB.PNG";      // window icon
inline constexpr std::string_view advertPicture = "ADVERT.PNG";       // clickable banner
inline constexpr std::array<std::string_view, 8> ownPictures{
    winPicture,         drawPicture,     lossPicture,     engineWhitePicture,
    engineBlackPicture, whiteToMoveIcon, blackToMoveIcon, advertPicture};

} // namespace media
