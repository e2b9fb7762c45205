#include "test_app.h"

#include <QApplication>

#include <cstdlib>
#include <memory>

void ensureApplication()
{
    static int argc = 1;
    static char name[] = "quorvin-test";
    static char* argv[] = {name, nullptr};
    static std::unique_ptr<QApplication> application;
    if (!QCoreApplication::instance())
        application = std::make_unique<QApplication>(argc, argv);
}

QString testProgramFolder()
{
    const char* folder = std::getenv("QUORVIN_PROGRAM_FOLDER");
    return folder ? QString::fromLocal8Bit(folder) : QString();
}
