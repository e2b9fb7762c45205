#include "play/clocktick.h"

#include "shell/platform.h"

#include <QCoreApplication>

void ProcessEvents()
{
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void ClockTick()
{
    ProcessEvents();
    platform().sleepMs(1);
}
