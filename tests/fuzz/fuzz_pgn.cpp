// Fuzz target for the PGN reader. Input: the bytes of a PGN file. Besides memory errors it traps
// when the reader and the writer disagree on any game at all: the first game, and each game the
// index finds, is read, written and read again, and the second reading must give the record the
// first one did. The index must also cover the file exactly, game after game.
#include "core/gamerecord.h"
#include "files/gameindex.h"
#include "files/pgnreader.h"
#include "files/pgnwriter.h"
#include "shell/platform.h"
#include "shell/settings.h"

#include <QSize>
#include <QStringList>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <vector>

namespace {

constexpr std::size_t GamesReadPerInput = 8; // keeps a file of many games fast for the fuzzer

// A platform that answers every question with the default and does nothing else.
class SilentPlatform final : public Platform {
public:
    MsgAnswer messageBox(const MessageRequest&) override { return MsgAnswer::Ok; }
    QString openFileDialog(const QString&, const QString&) override { return {}; }
    QString saveFileDialog(const QString&, const QString&, const QString&, const QString&) override
    {
        return {};
    }
    QString browseFolder(const QString&, const QString&) override { return {}; }
    QString clipboardText() override { return {}; }
    void setClipboardText(const QString&) override {}
    void setClipboardHtml(const QString&, const QString&) override {}
    bool openUrl(const QString&) override { return false; }
    bool startDetached(const QString&, const QStringList&) override { return false; }
    double timeOfDay() override { return 0.0; }
    void sleepMs(int) override {}
    void waitForActivity(int, int) override {}
    void httpGet(const QString&, int, std::function<void(const QString&)> done) override
    {
        done(QString());
    }
    int processorCount() override { return 1; }
    int randomInt(int low, int) override { return low; }
    QSize screenSize() override { return {1024, 768}; }
    bool playSound(const QString&) override { return false; }
    void stopSound() override {}
    bool playMusic(const QString&) override { return false; }
    bool musicEnded() override { return false; }
    void replayMusic() override {}
    void closeMusic() override {}
    bool speechIdle() override { return true; }
    void systemSound(MsgIcon) override {}
    void speak(const QString&) override {}
};

// The record as the writer carries it: everything but the annotation marks.
QStringList carried()
{
    QStringList fields = {Game.StartFen,
                          QString::number(Game.StandardStart),
                          QString::number(Game.StartSide),
                          QString::number(Game.StartMoveNumber),
                          QString::number(Game.GameResult),
                          Game.TagEvent,
                          Game.TagSite,
                          Game.TagDate,
                          Game.TagRound,
                          Game.TagWhite,
                          Game.TagWhiteElo,
                          Game.TagBlack,
                          Game.TagBlackElo,
                          Game.TagEco,
                          Game.TagOpening,
                          Game.TagVariation,
                          Game.TagSubVariation,
                          Game.MoveComment[0]};
    for (int ply = 1; ply <= Game.PlyCount; ++ply)
        fields << QString::number(Game.Moves[ply]) + QLatin1Char(' ') + Game.MoveSan[ply]
               << Game.MoveComment[ply];
    return fields;
}

void check(bool condition, const char* what, const QByteArray& text = {})
{
    if (condition)
        return;
    std::fprintf(stderr, "pgn fuzz: %s\n%s\n", what, text.constData());
    __builtin_trap();
}

void readWriteRead(QByteArrayView bytes)
{
    resetRecord(false);
    ReadGameText(bytes);
    check(Game.PlyCount >= 0 && Game.PlyCount <= MaxPly, "ply count out of range");
    const QStringList first = carried();
    const QByteArray written = GameText().toUtf8();
    resetRecord(false);
    check(ReadGameText(written), "a written game reads as no game", written);
    if (carried() == first)
        return;
    const QStringList second = carried();
    for (qsizetype i = 0; i < first.size() || i < second.size(); ++i) {
        if (first.value(i) != second.value(i)) {
            std::fprintf(stderr, "field %lld: \"%s\" read back as \"%s\"\n",
                         static_cast<long long>(i), first.value(i).toUtf8().constData(),
                         second.value(i).toUtf8().constData());
            break;
        }
    }
    check(false, "the written game reads back differently", written);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static SilentPlatform silent;
    static bool initialised = false;
    if (!initialised) {
        setPlatform(&silent);
        KessrinInit();
        Cfg.Sounds = false;
        initialised = true;
    }
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    readWriteRead(bytes);

    const std::optional<std::vector<GameIndexEntry>> games = IndexGames(bytes);
    check(games.has_value(), "indexing without a progress report was cancelled");
    qsizetype end = -1;
    for (const GameIndexEntry& game : *games) {
        check(game.offset >= 0 && game.length > 0 && game.offset + game.length <= bytes.size(),
              "a game lies outside the file");
        check(end < 0 || game.offset == end, "the games do not follow each other");
        end = game.offset + game.length;
    }
    check(games->empty() || end == bytes.size(), "the last game does not end with the file");
    for (std::size_t k = 0; k < games->size() && k < GamesReadPerInput; ++k)
        readWriteRead(bytes.sliced((*games)[k].offset, (*games)[k].length));
    return 0;
}
