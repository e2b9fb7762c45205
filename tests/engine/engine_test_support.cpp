#include "engine_test_support.h"

#include <QDir>
#include <QFile>

#include <dirent.h>
#include <fstream>
#include <sstream>
#include <thread>
#include <unistd.h>

QString ScriptedEnginePath()
{
    return QStringLiteral(SCRIPTED_ENGINE_PATH);
}

void UseEngineScript(const QTemporaryDir& dir, const QString& script)
{
    static int counter = 0;
    const QString path = dir.filePath(QStringLiteral("script%1.txt").arg(++counter));
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(script.toUtf8());
    file.close();
    setenv("QUORVIN_ENGINE_SCRIPT", path.toLocal8Bit().constData(), 1);
}

void WriteExecutable(const QString& path, const QString& content)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(content.toUtf8());
    file.close();
    file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

int OpenDescriptorCount()
{
    return static_cast<int>(QDir(QStringLiteral("/proc/self/fd"))
                                .entryList(QDir::Files | QDir::System | QDir::NoDotAndDotDot)
                                .size());
}

int ChildProcessCount()
{
    const pid_t self = getpid();
    int count = 0;
    DIR* proc = opendir("/proc");
    if (!proc)
        return -1;
    while (const dirent* entry = readdir(proc)) {
        if (entry->d_name[0] < '0' || entry->d_name[0] > '9')
            continue;
        std::ifstream stat(std::string("/proc/") + entry->d_name + "/stat");
        std::string text;
        std::getline(stat, text);
        // "pid (name) state ppid ...": the name may hold blanks, so read after the last ')'.
        const size_t close = text.rfind(')');
        if (close == std::string::npos)
            continue;
        std::istringstream rest(text.substr(close + 1));
        char state = 0;
        long parent = 0;
        rest >> state >> parent;
        if (parent == self)
            ++count;
    }
    closedir(proc);
    return count;
}

void EnginePlatform::sleepMs(int milliseconds)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
    FakePlatform::sleepMs(milliseconds * clockStepMs);
}
