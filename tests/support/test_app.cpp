#include "test_app.h"

#include <QApplication>

#include <cstdlib>

void ensureApplication()
{
    static int argc = 1;
    static char name[] = "quorvin-test";
    static char* argv[] = {name, nullptr};
    // Never destroyed: widgets owned by file-scope objects of the code under test may outlive
    // main, and tearing the application down under them crashes at exit.
    if (QCoreApplication::instance())
        return;
    if (TestProgramShowsWindows)
        new QApplication(argc, argv);
    else
        new QCoreApplication(argc, argv);
}

QString testProgramFolder()
{
    const char* folder = std::getenv("QUORVIN_PROGRAM_FOLDER");
    return folder ? QString::fromLocal8Bit(folder) : QString();
}
