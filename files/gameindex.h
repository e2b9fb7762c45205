// The games of a PGN file that holds several: where each one lies and the tags a list shows.
#pragma once

#include <QByteArrayView>
#include <QString>

#include <functional>
#include <optional>
#include <vector>

struct GameIndexEntry {
    int number = 0;       // 1 for the first game of the file
    qsizetype offset = 0; // first byte of the game in the file
    qsizetype length = 0; // bytes up to the next game
    QString white, black, result, event, date;
};

// Told the bytes read so far and the total; answering false cancels the indexing.
using IndexProgress = std::function<bool(qsizetype done, qsizetype total)>;

// Splits bytes into games: a game begins at its first tag line, and a tag line after movetext
// (outside a comment) begins the next one, as the reader sees it. Nothing when cancelled.
std::optional<std::vector<GameIndexEntry>> IndexGames(QByteArrayView bytes,
                                                      const IndexProgress& progress = {});
// IndexGames with the main window's progress bar for files large enough to need one.
std::optional<std::vector<GameIndexEntry>> IndexGamesShowingProgress(QByteArrayView bytes);
