#include "shell/settings.h"

#include "shell/appstate.h"
#include "shell/platform.h"

#include <QIODevice>
#include <QSettings>
#include <QStringConverter>

#include <algorithm>
#include <variant>

QString UpdateFollowUpLink;

const QString DefaultAdvertLink = QStringLiteral("www.chessquorvin.example");

namespace {

const QString ApplicationName = QStringLiteral("Chess Quorvin");

// ---------------------------------------------------------------------------------------------
// The key table, in stored order.

using Field = std::variant<bool Settings::*, qint16 Settings::*, QString Settings::*>;

enum class Owner {
    Main,           // LoadSettings / SaveSettings
    Common,         // LoadCommonSettings / SaveCommonSettings
    CommonReadOnly, // read by LoadCommonSettings; the update check writes it
};
enum class Bound { Fixed, ScreenWidth, ScreenHeight };

struct KeySpec {
    const char* section;
    const char* key;
    Field field;
    Owner owner;
    const char* defaultText; // nullptr: derived from the program folder
    int minimum = -32767;    // numbers only
    int maximum = 32767;
    Bound bound = Bound::Fixed;
};

using S = Settings;
constexpr Owner Main = Owner::Main;
constexpr Owner Common = Owner::Common;
constexpr Owner CommonRO = Owner::CommonReadOnly;

const KeySpec Keys[] = {
    {"Options", "Blindfold", &S::Blindfold, Main, "0"},
    {"Options", "AutoPlay", &S::AutoPlay, Main, "1"},
    {"Options", "ReadMove", &S::ReadMove, Main, "0"},
    {"Options", "PlayIntv", &S::PlayIntv, Main, "1", 1, 10},
    {"Options", "AutoFlip", &S::AutoFlip, Main, "1"},
    {"Options", "EngineName", &S::EngineName, Main, "1"},
    {"Options", "AlwaysPonder", &S::AlwaysPonder, Main, "0"},
    {"Options", "AllowResign", &S::AllowResign, Main, "1"},
    {"Options", "EngineTime", &S::EngineTime, Main, "0"},
    {"Options", "Coordinates", &S::Coordinates, Main, "0"},
    {"Options", "StatusBar", &S::StatusBar, Main, "0"},
    {"Options", "EnginePlay", &S::EnginePlay, Main, "3", 0, 4},
    {"Options", "TopMost", &S::TopMost, Main, "0"},
    {"Options", "PromptSave", &S::PromptSave, Main, "1"},
    {"Options", "AutoSave", &S::AutoSave, Main, "0"},
    {"Options", "User", &S::User, Main, ""},
    {"Options", "ShowNew", &S::ShowNew, Main, "1"},
    {"Options", "TryAgain", &S::TryAgain, Main, "1"},
    {"Options", "Board", &S::Board, Common, "0", 0, 5},
    {"Options", "Animation", &S::Animation, Common, "1"},
    {"Options", "Sounds", &S::Sounds, Common, "1"},
    {"Options", "Music", &S::Music, Common, "0", 0, 11},
    {"Publish", "Size", &S::Size, Main, "0", 0, 2},
    {"Publish", "Location", &S::Location, Main, "0", 0, 4},
    {"Publish", "Format", &S::Format, Main, "0", 0, 3},
    {"Publish", "Content", &S::Content, Main, "0"},
    {"Gui", "Left", &S::Left, Main, "480", 0, 32767, Bound::ScreenWidth},
    {"Gui", "Top", &S::Top, Main, "480", 0, 32767, Bound::ScreenHeight},
    {"Gui", "ThinkWidth", &S::ThinkWidth, Main, "4800", 2400, 32767},
    {"Gui", "ThinkHeight", &S::ThinkHeight, Main, "2400", 1200, 32767},
    {"Gui", "ThinkLeft", &S::ThinkLeft, Main, "8100", -32767, 32767},
    {"Gui", "ThinkTop", &S::ThinkTop, Main, "6300", -32767, 32767},
    {"Gui", "EndgamesIndex", &S::EndgamesIndex, Main, "0", 0, 1023},
    {"Gui", "EpdName", &S::EpdName, Main, "2"},
    {"Gui", "EpdTitle", &S::EpdTitle, Main, "Mate in 2"},
    {"Gui", "EpdMenu", &S::EpdMenu, Main, "0", 0, 5},
    {"Gui", "TipIndex", &S::TipIndex, Main, "1", 1, 15},
    {"Gui", "ShowHowTo", &S::ShowHowTo, Main, "1"},
    {"Gui", "UpgradeVer", &S::UpgradeVer, Common, "1.06"},
    {"Gui", "UpgradeDate", &S::UpgradeDate, CommonRO, ""},
    {"Gui", "AdvertLink", &S::AdvertLink, CommonRO, nullptr},
    {"Gui", "AdvertText", &S::AdvertText, CommonRO, "Welcome to"},
    {"Gui", "SiteBase", &S::SiteBase, Main, nullptr},
    {"Timer", "Depth", &S::Depth, Main, "-1", -12, 100},
    {"Timer", "IncMode", &S::IncMode, Main, "0"},
    {"Timer", "InitTime", &S::InitTime, Main, "1", 1, 480},
    {"Timer", "IncMove", &S::IncMove, Main, "999", 1, 999},
    {"Timer", "IncTime", &S::IncTime, Main, "1", -60, 600},
    {"Engine", "EngineLog", &S::EngineLog, Main, "0"},
    {"Engine", "LogFile", &S::LogFile, Main, ""},
    {"Engine", "UseBook", &S::UseBook, Main, "1"},
    {"Engine", "UseEgtb", &S::UseEgtb, Main, "1"},
    {"Engine", "BookFiles", &S::BookFiles, Main, ""},
    {"Engine", "EgtbPaths", &S::EgtbPaths, Main, ""},
    {"Engine", "Hash", &S::Hash, Main, "0", 0, 7},
    {"Engine", "Threads", &S::Threads, Main, "0", 0, 9},
    {"Engine", "Randomness", &S::Randomness, Main, "1", 0, 3},
    {"Engine", "Style", &S::Style, Main, "1", 0, 2},
    {"Engine", "ResignScore", &S::ResignScore, Main, "-1500", -2900, -100},
    {"Engine", "DrawScore", &S::DrawScore, Main, "50", -190, 190},
    {"Engine", "FileName", &S::EnginePath, Main, nullptr},
};

QString defaultText(const KeySpec& spec, const QString& programFolder)
{
    if (spec.defaultText)
        return QString::fromUtf8(spec.defaultText);
    if (spec.field == Field(&S::EnginePath))
        return programFolder + QStringLiteral("stockfish");
    if (spec.field == Field(&S::SiteBase))
        return QStringLiteral("file://") + programFolder + QStringLiteral("WEB");
    return DefaultAdvertLink;
}

// Twips are 1/15 pixel; window positions must stay within three quarters of the screen.
int screenBound(Bound bound)
{
    if (bound == Bound::Fixed)
        return 32767;
    const QSize screen = platform().screenSize();
    const qint64 pixels = bound == Bound::ScreenWidth ? screen.width() : screen.height();
    return static_cast<int>(std::clamp<qint64>(pixels * 15 * 3 / 4, 0, 32767));
}

// Stores text into the field the way its kind reads.
void assign(Settings& settings, const KeySpec& spec, const QString& text, Bound bound)
{
    struct Visitor {
        Settings& settings;
        const KeySpec& spec;
        const QString& text;
        Bound bound;
        void operator()(bool Settings::*field) const
        {
            settings.*field = ParseClamped(text, -32767, 32767) > 0;
        }
        void operator()(qint16 Settings::*field) const
        {
            const int maximum = bound == Bound::Fixed ? spec.maximum : screenBound(bound);
            settings.*field = ParseClamped(text, spec.minimum, maximum);
        }
        void operator()(QString Settings::*field) const { settings.*field = text; }
    };
    std::visit(Visitor{settings, spec, text, bound}, spec.field);
}

QString storedText(const Settings& settings, const KeySpec& spec)
{
    struct Visitor {
        const Settings& settings;
        QString operator()(bool Settings::*field) const
        {
            return settings.*field ? QStringLiteral("1") : QStringLiteral("0");
        }
        QString operator()(qint16 Settings::*field) const
        {
            return QString::number(settings.*field);
        }
        QString operator()(QString Settings::*field) const { return settings.*field; }
    };
    return std::visit(Visitor{settings}, spec.field);
}

QString keyPath(const KeySpec& spec)
{
    return QString::fromLatin1(spec.section) + QLatin1Char('/') + QString::fromLatin1(spec.key);
}

// The store hands back QStrings only (see the file format below); anything else is read as text
// where Qt knows how, and as an empty text otherwise.
QString variantText(const QVariant& value)
{
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(QStringLiteral(", "));
    if (value.typeId() == QMetaType::QByteArray)
        return QString::fromUtf8(value.toByteArray());
    return value.canConvert<QString>() ? value.toString() : QString();
}

void loadKeys(bool common)
{
    const std::unique_ptr<QSettings> store = openSettingsStore();
    for (const KeySpec& spec : Keys) {
        if ((spec.owner != Owner::Main) != common)
            continue;
        const QVariant value = store->value(keyPath(spec));
        QString text =
            value.isValid() ? variantText(value) : defaultText(spec, App.ProgramFolder);
        if (spec.field == Field(&Settings::SiteBase))
            text = SiteBaseFromStore(text, App.ProgramFolder);
        assign(Cfg, spec, text, spec.bound);
    }
}

void saveKeys(Owner owner)
{
    const std::unique_ptr<QSettings> store = openSettingsStore();
    for (const KeySpec& spec : Keys) {
        if (spec.owner != owner)
            continue;
        const QString text = storedText(Cfg, spec);
        store->setValue(keyPath(spec), spec.field == Field(&Settings::SiteBase)
                                           ? SiteBaseForStore(text, App.ProgramFolder)
                                           : text);
    }
}

// ---------------------------------------------------------------------------------------------
// The file format: QSettings' INI layout ("[Section]", "Key=value"), read and written by us so
// that every value is plain text. Qt's own INI reader would turn a hand-edited value with a comma
// into a list and deserialise "@Variant(...)" values as binary data; here they stay text.

constexpr char16_t Quote = u'"';
constexpr char16_t Backslash = u'\\';

// Section and key names: printable ASCII except the INI syntax characters stays as is.
QString escapeName(const QString& name)
{
    return QString::fromLatin1(name.toUtf8().toPercentEncoding("!$&'()*+,:<>?@^_`{|}~"));
}

QString unescapeName(QStringView name)
{
    return QString::fromUtf8(QByteArray::fromPercentEncoding(name.trimmed().toUtf8()));
}

QString escapeValue(QString text)
{
    // A leading "@" marks a typed value in Qt's INI files; doubling it keeps those files
    // readable by Qt as the same text.
    if (text.startsWith(QLatin1Char('@')))
        text.prepend(QLatin1Char('@'));
    bool needsQuotes = text.startsWith(QLatin1Char(' ')) || text.endsWith(QLatin1Char(' '));
    QString out;
    out.reserve(text.size() + 2);
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        switch (u) {
        case u'\\':
            out += QStringLiteral("\\\\");
            break;
        case u'"':
            out += QStringLiteral("\\\"");
            break;
        case u'\n':
            out += QStringLiteral("\\n");
            break;
        case u'\r':
            out += QStringLiteral("\\r");
            break;
        case u'\t':
            out += QStringLiteral("\\t");
            break;
        default:
            if (u < 0x20 || u == 0x7f) {
                out += QStringLiteral("\\x%1").arg(u, 4, 16, QLatin1Char('0'));
            } else {
                needsQuotes = needsQuotes || u == u',' || u == u';' || u == u'=' || u == u'#';
                out += c;
            }
        }
    }
    return needsQuotes ? QLatin1Char('"') + out + QLatin1Char('"') : out;
}

int hexValue(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    return -1;
}

// Everything after "=": quotes group, backslash escapes, unquoted blanks at the ends are dropped.
QString unescapeValue(QStringView raw)
{
    QString out;
    qsizetype keep = 0; // characters of out that trailing-blank trimming must not remove
    bool quoted = false;
    qsizetype i = 0;
    while (i < raw.size() && (raw[i] == u' ' || raw[i] == u'\t'))
        ++i;
    for (; i < raw.size(); ++i) {
        const QChar c = raw[i];
        if (c == Quote) {
            quoted = !quoted;
            keep = out.size();
        } else if (c == Backslash && i + 1 < raw.size()) {
            const QChar e = raw[++i];
            switch (e.unicode()) {
            case u'n':
                out += QLatin1Char('\n');
                break;
            case u'r':
                out += QLatin1Char('\r');
                break;
            case u't':
                out += QLatin1Char('\t');
                break;
            case u'x': {
                int code = 0;
                int digits = 0;
                while (digits < 4 && i + 1 < raw.size() && hexValue(raw[i + 1]) >= 0) {
                    code = code * 16 + hexValue(raw[++i]);
                    ++digits;
                }
                out += digits > 0 ? QChar(char16_t(code)) : e;
                break;
            }
            default:
                out += e;
            }
            keep = out.size();
        } else {
            out += c;
            if (quoted || (c != u' ' && c != u'\t'))
                keep = out.size();
        }
    }
    out.truncate(keep);
    if (out.startsWith(QStringLiteral("@@")))
        out.remove(0, 1);
    return out;
}

// Files we did not write may be in any 8-bit encoding: UTF-8 when valid, Latin-1 otherwise.
QString decodeFile(const QByteArray& bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    return utf8.hasError() ? QString::fromLatin1(bytes) : text;
}

bool readIni(QIODevice& device, QSettings::SettingsMap& map)
{
    const QString text = decodeFile(device.readAll());
    QString section;
    for (QStringView line : QStringView(text).tokenize(u'\n')) {
        line = line.trimmed(); // also drops the "\r" of CRLF files
        if (line.isEmpty() || line.startsWith(u';') || line.startsWith(u'#'))
            continue;
        if (line.startsWith(u'[')) {
            const qsizetype close = line.indexOf(u']');
            section = unescapeName(line.mid(1, close < 0 ? -1 : close - 1));
            if (section == QLatin1String("General"))
                section.clear();
            continue;
        }
        const qsizetype equals = line.indexOf(u'=');
        if (equals <= 0)
            continue;
        const QString key = unescapeName(line.left(equals));
        if (key.isEmpty())
            continue;
        const QString path = section.isEmpty() ? key : section + QLatin1Char('/') + key;
        map.insert(path, unescapeValue(line.mid(equals + 1)));
    }
    return true; // whatever could be read is kept; the rest reads as missing keys
}

bool writeIni(QIODevice& device, const QSettings::SettingsMap& map)
{
    // Top-level keys go under "[General]", as in Qt's INI files; they are written first.
    QString out;
    QString currentSection;
    bool first = true;
    auto writeEntries = [&](bool topLevel) {
        for (auto it = map.cbegin(); it != map.cend(); ++it) {
            const qsizetype slash = it.key().indexOf(QLatin1Char('/'));
            if ((slash < 0) != topLevel)
                continue;
            const QString section = topLevel ? QStringLiteral("General") : it.key().left(slash);
            if (first || section != currentSection) {
                if (!first)
                    out += QLatin1Char('\n');
                out += QLatin1Char('[') + escapeName(section) + QStringLiteral("]\n");
                currentSection = section;
                first = false;
            }
            out += escapeName(it.key().mid(slash + 1)) + QLatin1Char('=') +
                   escapeValue(variantText(it.value())) + QLatin1Char('\n');
        }
    };
    writeEntries(true);
    writeEntries(false);
    const QByteArray bytes = out.toUtf8();
    return device.write(bytes) == bytes.size();
}

QSettings::Format storeFormat()
{
    static const QSettings::Format format =
        QSettings::registerFormat(QStringLiteral("ini"), readIni, writeIni, Qt::CaseSensitive);
    return format;
}

QString storePath;

Settings defaultsFor(const QString& programFolder)
{
    Settings settings;
    for (const KeySpec& spec : Keys)
        assign(settings, spec, defaultText(spec, programFolder), Bound::Fixed);
    return settings;
}

} // namespace

// App may not be constructed yet during static initialisation, so no program folder here.
Settings Cfg = defaultsFor(QString());

Settings Settings::defaults()
{
    return defaultsFor(App.ProgramFolder);
}

QString SiteBaseForStore(const QString& siteBase, const QString& programFolder)
{
    // Inside the program folder the address is kept relative, so that a moved or copied folder
    // still finds its own help pages.
    const QString inside = QStringLiteral("file://") + programFolder;
    if (!programFolder.isEmpty() && siteBase.startsWith(inside))
        return siteBase.mid(inside.size());
    return siteBase;
}

QString SiteBaseFromStore(const QString& stored, const QString& programFolder)
{
    if (stored.contains(QLatin1String("://")) || stored.isEmpty())
        return stored;
    return QStringLiteral("file://") + programFolder + stored;
}

void LoadSettings()
{
    loadKeys(false);
}

void LoadCommonSettings()
{
    loadKeys(true);
    UpdateFollowUpLink.clear();
}

void SaveSettings()
{
    saveKeys(Owner::Main);
}

void SaveCommonSettings()
{
    saveKeys(Owner::Common);
}

void setSettingsStorePath(const QString& iniPath)
{
    storePath = iniPath;
}

std::unique_ptr<QSettings> openSettingsStore()
{
    std::unique_ptr<QSettings> store =
        storePath.isEmpty() ? std::make_unique<QSettings>(storeFormat(), QSettings::UserScope,
                                                          ApplicationName, ApplicationName)
                            : std::make_unique<QSettings>(storePath, storeFormat());
    store->setFallbacksEnabled(false);
    return store;
}
