// Loads the tests' scripted engine with a script written into folder, for the benchmarks that
// measure how the program copes with an engine's output.
#pragma once

#include "engine/engineload.h"
#include "shell/settings.h"

#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>

inline bool LoadScriptedEngine(const QString& scripted, const QString& script,
                               const QTemporaryDir& folder)
{
    const QString path = folder.filePath(QStringLiteral("flood.txt"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(script.toUtf8());
    file.close();
    setenv("QUORVIN_ENGINE_SCRIPT", path.toLocal8Bit().constData(), 1);
    Cfg.EnginePath = scripted;
    if (LoadEngine(false))
        return true;
    std::printf("scripted engine %s did not load\n", qPrintable(scripted));
    return false;
}
