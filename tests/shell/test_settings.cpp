#include "shell/appstate.h"
#include "shell/settings.h"

#include "tests/support/fake_platform.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <functional>
#include <set>

namespace {

struct ParseCase {
    const char* text;
    int minimum;
    int maximum;
    int expected;
};

TEST(ParseClamped, ReadsTheLeadingNumberThenClampsAndRoundsHalvesToEven)
{
    const ParseCase cases[] = {
        {"", -100, 100, 0},
        {"word", -100, 100, 0},
        {"word", 1, 10, 1},
        {"-0", -100, 100, 0},
        {"+3", -100, 100, 3},
        {"  -2.5", -100, 100, -2},
        {"\t\t7", -100, 100, 7},
        {"3.5", -100, 100, 4},
        {"2.5", -100, 100, 2},
        {"-3.5", -100, 100, -4},
        {"2.51", -100, 100, 3},
        {"2.4999", -100, 100, 2},
        {"2.50000000000000000001", -100, 100, 3},
        {".5", -100, 100, 0},
        {".6", -100, 100, 1},
        {"5.", -100, 100, 5},
        {".", -100, 100, 0},
        {"-", -100, 100, 0},
        {"+-3", -100, 100, 0},
        {"- 3", -100, 100, 0},
        {"1e5", -100, 100, 1},
        {"0x10", -100, 100, 0},
        {"12abc", -100, 100, 12},
        {"1,5", -100, 100, 1},
        {"\n5", -100, 100, 0},
        {"99999999999999999999", -100, 100, 100},
        {"-99999999999999999999", -100, 100, -100},
        {"99999999999999999999", -32768, 32767, 32767},
        {"-99999999999999999999.9", -32768, 32767, -32768},
        {"32767.5", -32768, 32767, 32767},
        {"-32768", -32768, 32767, -32768},
        {"10.4", 1, 10, 10},
        {"0.6", 1, 10, 1},
        {"25", 1, 10, 10},
        {"0", 1, 10, 1},
        {"0", -2900, -100, -100},
        {"-5000", -2900, -100, -2900},
        {"-2900.5", -2900, -100, -2900},
        // Only ASCII digits are digits.
        {"\u0663", -100, 100, 0}, // Arabic-Indic three
        {"\uFF13", -100, 100, 0}, // full-width three
        {"4\u0663", -100, 100, 4},
        {"\u00A05", -100, 100, 0}, // no-break space
    };
    for (const ParseCase& c : cases) {
        EXPECT_EQ(ParseClamped(QString::fromUtf8(c.text), c.minimum, c.maximum), c.expected)
            << '"' << c.text << "\" in " << c.minimum << ".." << c.maximum;
    }
}

class SettingsStore : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        savedFolder = App.ProgramFolder;
        App.ProgramFolder = QStringLiteral("/opt/quorvin/");
        setSettingsStorePath(iniPath());
        Cfg.resetToDefaults();
    }
    void TearDown() override
    {
        setSettingsStorePath(QString());
        App.ProgramFolder = savedFolder;
        Cfg.resetToDefaults();
    }

    QString iniPath() const { return dir.filePath(QStringLiteral("store.ini")); }

    void writeFile(const QByteArray& bytes)
    {
        QFile file(iniPath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
        file.flush();
        // Qt keeps a parsed copy of the file while its size and time stay the same; two texts of
        // one length written within a millisecond would otherwise read as the first.
        stamp = stamp.isValid() ? stamp.addSecs(1) : QDateTime::currentDateTimeUtc().addDays(-1);
        file.setFileTime(stamp, QFileDevice::FileModificationTime);
    }
    QDateTime stamp;

    QStringList storedKeys() const
    {
        QStringList keys = openSettingsStore()->allKeys();
        keys.sort();
        return keys;
    }

    // Loads both halves, as start-up does.
    static void loadAll()
    {
        LoadSettings();
        LoadCommonSettings();
    }

    QTemporaryDir dir;
    FakePlatform fake;
    QString savedFolder;
};

TEST_F(SettingsStore, FirstRunGivesTheDefaults)
{
    Cfg.PlayIntv = 9;
    Cfg.EnginePath.clear();
    loadAll();
    EXPECT_EQ(Cfg, Settings::defaults());
    EXPECT_EQ(Cfg.EnginePath, QStringLiteral("/opt/quorvin/stockfish"));
    EXPECT_EQ(Cfg.SiteBase, QStringLiteral("file:///opt/quorvin/WEB"));

    writeFile("");
    Cfg = Settings();
    loadAll();
    EXPECT_EQ(Cfg, Settings::defaults()) << "an empty file is a first run too";
}

TEST_F(SettingsStore, StoredTextsReadWithTheirKindsAndRanges)
{
    struct Row {
        const char* line;
        std::function<int()> field;
        int expected;
    };
    const Row rows[] = {
        {"[Options]\nPlayIntv=25", [] { return Cfg.PlayIntv; }, 10},
        {"[Options]\nPlayIntv=0", [] { return Cfg.PlayIntv; }, 1},
        {"[Options]\nPlayIntv=often", [] { return Cfg.PlayIntv; }, 1},
        {"[Options]\nPlayIntv=", [] { return Cfg.PlayIntv; }, 1},
        {"[Engine]\nResignScore=0", [] { return Cfg.ResignScore; }, -100},
        {"[Engine]\nResignScore=-5000", [] { return Cfg.ResignScore; }, -2900},
        {"[Engine]\nDrawScore=2.5", [] { return Cfg.DrawScore; }, 2},
        {"[Engine]\nDrawScore=3.5", [] { return Cfg.DrawScore; }, 4},
        {"[Timer]\nDepth=-13", [] { return Cfg.Depth; }, -12},
        {"[Gui]\nThinkWidth=100", [] { return Cfg.ThinkWidth; }, 2400},
        {"[Options]\nAutoPlay=true", [] { return int(Cfg.AutoPlay); }, 0},
        {"[Options]\nAutoPlay=2", [] { return int(Cfg.AutoPlay); }, 1},
        {"[Options]\nAutoPlay=5", [] { return int(Cfg.AutoPlay); }, 1},
        {"[Options]\nAutoPlay=-1", [] { return int(Cfg.AutoPlay); }, 0},
        {"[Options]\nAutoPlay=", [] { return int(Cfg.AutoPlay); }, 0},
        {"[Options]\nAutoPlay=0.6", [] { return int(Cfg.AutoPlay); }, 1},
        {"[Options]\nBlindfold=  1  ", [] { return int(Cfg.Blindfold); }, 1},
        {"[options]\nAutoPlay=0", [] { return int(Cfg.AutoPlay); }, 1},
    };
    for (const Row& row : rows) {
        writeFile(row.line);
        Cfg.resetToDefaults();
        LoadSettings();
        EXPECT_EQ(row.field(), row.expected) << row.line;
    }
}

TEST_F(SettingsStore, EveryKeyRoundTrips)
{
    Settings s = Settings::defaults();
    // Every field away from its default, numbers at range ends where the range allows.
    s.Blindfold = true, s.AutoPlay = false, s.ReadMove = true, s.PlayIntv = 10;
    s.AutoFlip = false, s.EngineName = false, s.AlwaysPonder = true, s.AllowResign = false;
    s.EngineTime = true, s.Coordinates = true, s.StatusBar = true, s.EnginePlay = 4;
    s.TopMost = true, s.PromptSave = false, s.AutoSave = true;
    s.User = QStringLiteral("  Zoë \"the Rook\", a=b; #1 \\ ");
    s.ShowNew = false, s.TryAgain = false, s.Board = 5, s.Animation = false, s.Sounds = false;
    s.Music = 11, s.Size = 2, s.Location = 4, s.Format = 3, s.Content = true;
    s.Left = 1234, s.Top = 987, s.ThinkWidth = 32767, s.ThinkHeight = 1200;
    s.ThinkLeft = -32767, s.ThinkTop = -5, s.EndgamesIndex = 1023;
    s.EpdName = QStringLiteral("@Variant(3)"), s.EpdTitle = QStringLiteral("Mate in 2, xyz");
    s.EpdMenu = 5, s.TipIndex = 15, s.ShowHowTo = false, s.UpgradeVer = QStringLiteral("2.0");
    s.SiteBase = QStringLiteral("https://example.org/a?b=c,d");
    s.Depth = -12, s.IncMode = true, s.InitTime = 480, s.IncMove = 40, s.IncTime = -60;
    s.EngineLog = true, s.LogFile = QStringLiteral("/tmp/log file\twith\ttabs\nand line");
    s.UseBook = false, s.UseEgtb = false, s.BookFiles = QStringLiteral("/books/a.bin, b.bin");
    s.EgtbPaths = QStringLiteral("C:\\egtb\\"), s.Hash = 7, s.Threads = 9, s.Randomness = 0;
    s.Style = 2, s.ResignScore = -2900, s.DrawScore = -190;
    s.EnginePath = QStringLiteral("/usr/games/шахматы");

    Cfg = s;
    SaveSettings();
    SaveCommonSettings();
    // The update check writes these three itself.
    s.UpgradeDate = QStringLiteral("2024-05-01");
    s.AdvertLink = QStringLiteral("@@x");
    s.AdvertText = QStringLiteral("\"Hello\"");
    {
        const auto store = openSettingsStore();
        store->setValue(QStringLiteral("Gui/UpgradeDate"), s.UpgradeDate);
        store->setValue(QStringLiteral("Gui/AdvertLink"), s.AdvertLink);
        store->setValue(QStringLiteral("Gui/AdvertText"), s.AdvertText);
    }

    Cfg = Settings();
    loadAll();
    EXPECT_EQ(Cfg, s);

    // Qt's own INI reader sees the same texts in the file.
    QSettings qtIni(iniPath(), QSettings::IniFormat);
    EXPECT_EQ(qtIni.value(QStringLiteral("Options/User")).toString(), s.User);
    EXPECT_EQ(qtIni.value(QStringLiteral("Gui/EpdTitle")).toString(), s.EpdTitle);
    EXPECT_EQ(qtIni.value(QStringLiteral("Gui/EpdName")).toString(), s.EpdName);
    EXPECT_EQ(qtIni.value(QStringLiteral("Engine/FileName")).toString(), s.EnginePath);
    EXPECT_EQ(qtIni.value(QStringLiteral("Engine/ResignScore")).toString(),
              QStringLiteral("-2900"));
    EXPECT_EQ(qtIni.value(QStringLiteral("Options/Blindfold")).toString(), QStringLiteral("1"));
    EXPECT_EQ(qtIni.value(QStringLiteral("Options/AutoPlay")).toString(), QStringLiteral("0"));
}

TEST_F(SettingsStore, SiteBaseInsideTheProgramFolderMovesWithIt)
{
    SaveSettings(); // the default: the folder's own WEB pages
    QSettings ini(iniPath(), QSettings::IniFormat);
    EXPECT_EQ(ini.value(QStringLiteral("Gui/SiteBase")).toString(), QStringLiteral("WEB"));
    App.ProgramFolder = QStringLiteral("/home/ann/quorvin copy/");
    LoadSettings();
    EXPECT_EQ(Cfg.SiteBase, QStringLiteral("file:///home/ann/quorvin copy/WEB"));
    // An address elsewhere is kept as it is.
    Cfg.SiteBase = QStringLiteral("https://help.example/quorvin");
    SaveSettings();
    App.ProgramFolder = QStringLiteral("/opt/quorvin/");
    LoadSettings();
    EXPECT_EQ(Cfg.SiteBase, QStringLiteral("https://help.example/quorvin"));
}

TEST_F(SettingsStore, WindowPositionIsPulledInsideThreeQuartersOfTheScreen)
{
    // 1920 x 1080 pixels: 21600 x 12150 twips at three quarters.
    writeFile("[Gui]\nLeft=21000\nTop=12000\n");
    LoadSettings();
    EXPECT_EQ(Cfg.Left, 21000);
    EXPECT_EQ(Cfg.Top, 12000);

    fake.screen = QSize(801, 601); // 9011.25 x 6761.25
    LoadSettings();
    EXPECT_EQ(Cfg.Left, 9011);
    EXPECT_EQ(Cfg.Top, 6761);

    fake.screen = QSize(20, 10); // the 480 default is clamped as well
    writeFile("[Gui]\nTop=-50\n");
    LoadSettings();
    EXPECT_EQ(Cfg.Left, 225);
    EXPECT_EQ(Cfg.Top, 0);

    fake.screen = QSize(7680, 4320); // beyond 16 bits of twips
    writeFile("[Gui]\nLeft=99999\n");
    LoadSettings();
    EXPECT_EQ(Cfg.Left, 32767);
}

TEST_F(SettingsStore, EachRoutineWritesExactlyItsKeys)
{
    SaveCommonSettings();
    const QStringList common = {"Gui/UpgradeVer", "Options/Animation", "Options/Board",
                                "Options/Music", "Options/Sounds"};
    EXPECT_EQ(storedKeys(), common);

    QFile::remove(iniPath());
    SaveSettings();
    const QStringList written = storedKeys();
    EXPECT_EQ(written.size(), 60 - 8 + 1);
    const std::set<QString> mustNot = {"Options/Board",  "Options/Animation", "Options/Sounds",
                                       "Options/Music",  "Gui/UpgradeVer",    "Gui/UpgradeDate",
                                       "Gui/AdvertLink", "Gui/AdvertText"};
    for (const QString& key : written)
        EXPECT_FALSE(mustNot.count(key)) << key.toStdString();
    for (const char* key : {"Options/Blindfold", "Publish/Content", "Gui/Left", "Gui/SiteBase",
                            "Timer/IncTime", "Engine/FileName", "Engine/DrawScore"})
        EXPECT_TRUE(written.contains(QString::fromLatin1(key))) << key;
}

TEST_F(SettingsStore, EachLoaderReadsOnlyItsKeys)
{
    writeFile("[Options]\nBoard=4\nPlayIntv=7\n[Gui]\nAdvertText=Hi\nEpdName=5\n");
    UpdateFollowUpLink = QStringLiteral("http://example.org/new");
    LoadSettings();
    EXPECT_EQ(Cfg.Board, 0);
    EXPECT_EQ(Cfg.AdvertText, QStringLiteral("Welcome to"));
    EXPECT_EQ(Cfg.PlayIntv, 7);
    EXPECT_EQ(UpdateFollowUpLink, QStringLiteral("http://example.org/new"));

    Cfg.resetToDefaults();
    LoadCommonSettings();
    EXPECT_EQ(Cfg.Board, 4);
    EXPECT_EQ(Cfg.AdvertText, QStringLiteral("Hi"));
    EXPECT_EQ(Cfg.PlayIntv, 1);
    EXPECT_EQ(Cfg.EpdName, QStringLiteral("2"));
    EXPECT_TRUE(UpdateFollowUpLink.isEmpty());
}

TEST_F(SettingsStore, DamagedFilesNeverFailAndReadWhatTheyCan)
{
    struct Row {
        QByteArray file;
        const char* epdTitle; // expected Gui/EpdTitle
        int playIntv;         // expected Options/PlayIntv
    };
    const Row rows[] = {
        {"[Gui]\nEpdTitle=Mate in 2, xyz\n[Options]\nPlayIntv=4", "Mate in 2, xyz", 4},
        {"[Gui]\r\nEpdTitle = \"  spaced  \" \r\n", "  spaced  ", 1},
        {"[Options]\nPlayIntv=@Variant(\\0\\0\\x10\\x1\\0\\0\\0\\x1)\n", "Mate in 2", 1},
        {"[Options]\nPlayIntv=@ByteArray(8)\n[Gui]\nEpdTitle=@ByteArray(x)", "@ByteArray(x)", 1},
        {"[Options]\nPlayIntv=3, 4, 5\n", "Mate in 2", 3},
        {"[Gui]\nEpdTitle=\"unterminated, quote\n", "unterminated, quote", 1},
        {"[Gui]\nEpdTitle=trailing\\", "trailing\\", 1},
        {"[Gui]\nEpdTitle=\\x\\x41\\x0041b\n", "xAAb", 1},
        {"[Options\nPlayIntv=6\n", "Mate in 2", 6},
        {"[Options]\n=7\nPlayIntv\n;PlayIntv=8\n#PlayIntv=8\n", "Mate in 2", 1},
        {"[Gui]\nEpdTitle=caf\xe9\n", "caf\xc3\xa9", 1},
        {QByteArray("[Options]\nPlayIntv=5\0\0\xff\xfe[Gui]\x01", 23), "Mate in 2", 5},
        {QByteArray(100000, '['), "Mate in 2", 1},
        {QByteArray(70000, '\xff') + "\n[Options]\nPlayIntv=2", "Mate in 2", 2},
    };
    for (const Row& row : rows) {
        writeFile(row.file);
        Cfg = Settings();
        LoadSettings();
        LoadCommonSettings();
        EXPECT_EQ(Cfg.EpdTitle, QString::fromUtf8(row.epdTitle)) << row.file.left(60).toStdString();
        EXPECT_EQ(Cfg.PlayIntv, row.playIntv) << row.file.left(60).toStdString();
        EXPECT_EQ(Cfg.EnginePath, QStringLiteral("/opt/quorvin/stockfish"));
        // Saving over a damaged file leaves a file that reads back what was saved.
        Cfg.PlayIntv = 9;
        SaveSettings();
        Cfg.PlayIntv = 1;
        LoadSettings();
        EXPECT_EQ(Cfg.PlayIntv, 9);
    }
}

TEST_F(SettingsStore, UnusableStoreFallsBackToDefaults)
{
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("store.ini"))); // a folder, not a file
    Cfg.Board = 3;
    loadAll();
    EXPECT_EQ(Cfg, Settings::defaults());
    SaveSettings();
    SaveCommonSettings();
    EXPECT_TRUE(QFileInfo(iniPath()).isDir());
}

TEST_F(SettingsStore, UserStoreLivesUnderTheConfigFolder)
{
    QTemporaryDir config;
    ASSERT_TRUE(config.isValid());
    const QByteArray saved = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
    setSettingsStorePath(QString());
    Cfg.Board = 2;
    SaveCommonSettings();
    const QString expected = config.filePath(QStringLiteral("Chess Quorvin/Chess Quorvin.ini"));
    QSettings qtIni(expected, QSettings::IniFormat);
    EXPECT_EQ(qtIni.value(QStringLiteral("Options/Board")).toString(), QStringLiteral("2"));
    if (saved.isNull())
        qunsetenv("XDG_CONFIG_HOME");
    else
        qputenv("XDG_CONFIG_HOME", saved);
}

} // namespace
