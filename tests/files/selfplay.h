// Games that a real engine plays against itself at the lowest depth, each move drawn at random
// from its few best, so that every game differs and reaches positions a person would not set up.
#pragma once

#include "kessrin.h"

#include <QProcess>
#include <QString>

#include <functional>
#include <random>
#include <vector>

class SelfPlay {
public:
    explicit SelfPlay(unsigned seed) : random(seed) {}
    ~SelfPlay();
    SelfPlay(const SelfPlay&) = delete;
    SelfPlay& operator=(const SelfPlay&) = delete;

    // Starts the engine and waits for its handshake; false when it is missing or silent.
    bool start(const QString& program);
    // The moves of one game from fen, at most maxPlies; fewer when the game ends in mate or
    // stalemate, or the engine stops answering.
    std::vector<MoveCode> playGame(const QString& fen, bool chess960, int maxPlies);

private:
    void send(const QByteArray& line);
    // The next line whose text starts with prefix, the lines before it passed to seen; false
    // when the engine stays silent too long.
    bool readUntil(const QByteArray& prefix, QByteArray& line,
                   const std::function<void(const QByteArray&)>& seen = {});

    QProcess engine;
    QByteArray pending;
    std::mt19937 random;
    bool chess960Mode = false;
};
