#include "shell/platform.h"

#include <cassert>

const QString AppTitle = QStringLiteral("Chess Quorvin");

namespace {
Platform* current = nullptr;
}

Platform& platform()
{
    assert(current && "no Platform installed");
    return *current;
}

void setPlatform(Platform* instance)
{
    current = instance;
}

MsgAnswer showMessage(const QString& text, MsgButtons buttons, MsgIcon icon, const QString& title)
{
    MessageRequest request;
    request.text = text;
    request.buttons = buttons;
    request.icon = icon;
    request.title = title;
    return platform().messageBox(request);
}
