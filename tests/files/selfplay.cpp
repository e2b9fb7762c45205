#include "selfplay.h"

#include "engine/uci.h"

#include <QElapsedTimer>

#include <array>
#include <functional>
#include <map>

namespace {

constexpr int AnswerWaitMs = 10000;
constexpr int Candidates = 3; // moves the engine lists, one of which is played

} // namespace

SelfPlay::~SelfPlay()
{
    if (engine.state() == QProcess::NotRunning)
        return;
    send("quit");
    if (!engine.waitForFinished(2000))
        engine.kill();
    engine.waitForFinished(1000);
}

bool SelfPlay::start(const QString& program)
{
    engine.start(program, {});
    if (!engine.waitForStarted(AnswerWaitMs))
        return false;
    QByteArray line;
    send("uci");
    if (!readUntil("uciok", line))
        return false;
    send("setoption name Threads value 1");
    send("setoption name Hash value 1");
    send("setoption name MultiPV value " + QByteArray::number(Candidates));
    send("isready");
    return readUntil("readyok", line);
}

std::vector<MoveCode> SelfPlay::playGame(const QString& fen, bool chess960, int maxPlies)
{
    if (chess960 != chess960Mode) {
        send(QByteArray("setoption name UCI_Chess960 value ") + (chess960 ? "true" : "false"));
        chess960Mode = chess960;
    }
    send("ucinewgame");
    RulesBoard board{};
    KessrinFen2Board(board, fen.toStdString());
    std::vector<MoveCode> game;
    QByteArray position = "position fen " + fen.toUtf8() + " moves";
    while (static_cast<int>(game.size()) < maxPlies) {
        send(position);
        send("go depth 1");
        std::map<int, QByteArray> lines; // first move of each listed line, by its rank
        QByteArray best;
        const bool answered = readUntil("bestmove", best, [&lines](const QByteArray& info) {
            const QList<QByteArray> words = info.split(' ');
            const qsizetype rank = words.indexOf("multipv");
            const qsizetype pv = words.indexOf("pv");
            if (rank > 0 && rank + 1 < words.size() && pv > 0 && pv + 1 < words.size())
                lines[words[rank + 1].toInt()] = words[pv + 1];
        });
        if (!answered || lines.empty())
            break;
        std::uniform_int_distribution<int> pick(0, static_cast<int>(lines.size()) - 1);
        const QByteArray chosen = std::next(lines.begin(), pick(random))->second;

        std::array<MoveCode, 1024> moves{};
        const int count = KessrinGenMoves(board, moves.data());
        MoveCode played = 0;
        for (int i = 0; i < count && played == 0; ++i) {
            // In Chess960 the engine writes every castling as the king taking its rook, which is
            // how the rules library codes it.
            const bool kingTakesRook = chess960 &&
                                       TypeOf(board.squares[MoveFrom(moves[i])]) == King &&
                                       MoveToCoord(moves[i], false) == chosen.toStdString();
            if (kingTakesRook || MoveToUci(board, moves[i]).toLatin1() == chosen)
                played = moves[i];
        }
        int flags = 0;
        if (played == 0 || !KessrinTryMove(board, flags, played))
            break;
        game.push_back(played);
        position += ' ' + chosen;
    }
    return game;
}

void SelfPlay::send(const QByteArray& line)
{
    engine.write(line + '\n');
}

bool SelfPlay::readUntil(const QByteArray& prefix, QByteArray& line,
                         const std::function<void(const QByteArray&)>& seen)
{
    QElapsedTimer waited;
    waited.start();
    for (;;) {
        const qsizetype end = pending.indexOf('\n');
        if (end >= 0) {
            line = pending.left(end).trimmed();
            pending.remove(0, end + 1);
            if (line.startsWith(prefix))
                return true;
            if (seen)
                seen(line);
            continue;
        }
        if (waited.elapsed() > AnswerWaitMs || engine.state() != QProcess::Running)
            return false;
        engine.waitForReadyRead(100);
        pending += engine.readAllStandardOutput();
    }
}
