#include "files/filedialog.h"

#include "shell/platform.h"

QString CleanFileName(const QString& name)
{
    QString cleaned = name;
    for (QChar& c : cleaned) {
        switch (c.unicode()) {
        case '\\':
        case '/':
        case ':':
        case '*':
        case '?':
        case '<':
        case '>':
        case '|':
            c = QLatin1Char('_');
            break;
        case '"':
            c = QLatin1Char('\'');
            break;
        default:
            break;
        }
    }
    return cleaned;
}

QString FileDialog(const QString& title, const QString& description, const QString& extension,
                   const QString& defaultName)
{
    const QString filter = description + QStringLiteral(" (*.") + extension +
                           QStringLiteral(")|*.") + extension +
                           QStringLiteral("|All files (*.*)|*.*");
    if (defaultName.isEmpty())
        return OpenFileDialog(title, filter);
    return SaveFileDialog(title, filter, CleanFileName(defaultName) + QLatin1Char('.') + extension,
                          extension);
}

QString OpenFileDialog(const QString& title, const QString& filter)
{
    return platform().openFileDialog(title, filter);
}

QString SaveFileDialog(const QString& title, const QString& filter, const QString& initialName,
                       const QString& defaultExtension)
{
    return platform().saveFileDialog(title, filter, initialName, defaultExtension);
}

void ShowFileError(const QString& path)
{
    showMessage(QStringLiteral("Error Open File: ") + path, MsgButtons::Ok, MsgIcon::Exclamation);
}
