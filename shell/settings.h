// User preferences: the in-memory settings the whole program reads and writes, and the routines
// that move them to and from the per-user store (an INI file under the user's config folder).
#pragma once

#include "shell/parseclamped.h"

#include <QString>
#include <QtGlobal>

#include <memory>

class QSettings;

// One field per stored key, named as the key; section in the comments. Flags are bool, numbers
// qint16 (already clamped to their ranges), texts QString.
struct Settings {
    // Options
    bool Blindfold = false;
    bool AutoPlay = false;
    bool ReadMove = false;
    qint16 PlayIntv = 0;
    bool AutoFlip = false;
    bool EngineName = false;
    bool AlwaysPonder = false;
    bool AllowResign = false;
    bool EngineTime = false;
    bool Coordinates = false;
    bool StatusBar = false;
    qint16 EnginePlay = 0;
    bool TopMost = false;
    bool PromptSave = false;
    bool AutoSave = false;
    QString User;
    bool ShowNew = false;
    bool TryAgain = false;
    qint16 Board = 0;
    bool Animation = false;
    bool Sounds = false;
    qint16 Music = 0;
    // Publish
    qint16 Size = 0;
    qint16 Location = 0;
    qint16 Format = 0;
    bool Content = false;
    // Gui
    qint16 Left = 0; // twips
    qint16 Top = 0;
    qint16 ThinkWidth = 0;
    qint16 ThinkHeight = 0;
    qint16 ThinkLeft = 0;
    qint16 ThinkTop = 0;
    qint16 EndgamesIndex = 0;
    QString EpdName;
    QString EpdTitle;
    qint16 EpdMenu = 0;
    qint16 TipIndex = 0;
    bool ShowHowTo = false;
    QString UpgradeVer;
    QString UpgradeDate;
    QString AdvertLink;
    QString AdvertText;
    QString SiteBase; // web site base address, no trailing "/"; help paths are appended
    // Timer
    qint16 Depth = 0;
    bool IncMode = false;
    qint16 InitTime = 0;
    qint16 IncMove = 0;
    qint16 IncTime = 0;
    // Engine
    bool EngineLog = false;
    QString LogFile;
    bool UseBook = false;
    bool UseEgtb = false;
    QString BookFiles;
    QString EgtbPaths;
    qint16 Hash = 0;
    qint16 Threads = 0;
    qint16 Randomness = 0;
    qint16 Style = 0;
    qint16 ResignScore = 0;
    qint16 DrawScore = 0;
    QString EnginePath; // key "FileName"

    // Every setting at its first-run value; paths follow App.ProgramFolder as it is now.
    static Settings defaults();
    void resetToDefaults() { *this = defaults(); }
    bool operator==(const Settings&) const = default;
};

// The program's settings. Holds the defaults for an empty program folder until the first reset
// or LoadSettings.
extern Settings Cfg;

// Follow-up link left by this run's update check; opened at shutdown.
extern QString UpdateFollowUpLink;

// Default of "AdvertLink": the host name of the program's web site.
extern const QString DefaultAdvertLink;

// "SiteBase" as stored: relative to the program folder when it points inside it ("WEB"), and
// back to a full address when read.
QString SiteBaseForStore(const QString& siteBase, const QString& programFolder);
QString SiteBaseFromStore(const QString& stored, const QString& programFolder);

// Reads every key except the eight common ones; missing or unreadable values give defaults.
void LoadSettings();
// Reads Board, Animation, Sounds, Music, UpgradeVer, UpgradeDate, AdvertLink and AdvertText, and
// clears UpdateFollowUpLink.
void LoadCommonSettings();
// Writes the keys LoadSettings reads.
void SaveSettings();
// Writes Board, Animation, Sounds, Music and UpgradeVer.
void SaveCommonSettings();

// Uses the INI file at iniPath as the store; "" returns to the user's own store.
void setSettingsStorePath(const QString& iniPath);
// The store itself, for keys other parts keep there ("Gui/UserID"): groups are sections, every
// value is a QString. Changes are written when the object is destroyed.
std::unique_ptr<QSettings> openSettingsStore();
