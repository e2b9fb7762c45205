#include "gui/commands.h"

#include "shell/appstate.h"

#include <QAction>
#include <QFileInfo>
#include <QIcon>
#include <QKeySequence>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPixmap>
#include <QToolBar>

namespace {

enum class Kind { Menu, Submenu, EndSubmenu, Separator, Command };

struct Entry {
    Kind kind;
    const char* name = "";
    const char* caption = "";
    int index = -1;
    bool checkable = false;
};

// The menu table reads best one entry a line, aligned.
// clang-format off
constexpr Entry menu(const char* name, const char* caption) { return {Kind::Menu, name, caption}; }
constexpr Entry sub(const char* name, const char* caption) { return {Kind::Submenu, name, caption}; }
constexpr Entry endSub() { return {Kind::EndSubmenu}; }
constexpr Entry sep() { return {Kind::Separator}; }
constexpr Entry cmd(const char* name, const char* caption) { return {Kind::Command, name, caption}; }
constexpr Entry tick(const char* name, const char* caption) { return {Kind::Command, name, caption, -1, true}; }
constexpr Entry item(const char* name, int index, const char* caption, bool checkable = false)
{
    return {Kind::Command, name, caption, index, checkable};
}

// The menu bar, top to bottom, as the user sees it.
constexpr Entry Layout[] = {
    menu("mnFile", "&File"),
    cmd("mnFileNew", "&New Game..."), cmd("mnFileOpen", "&Open..."), cmd("mnFileSave", "&Save"),
    cmd("mnFileSaveAs", "Save &As..."), sep(), cmd("mnFilePgn", "&View Text..."),
    cmd("mnFileTags", "Edit &Tags..."), sep(), cmd("mnFileExit", "E&xit"),

    menu("mnMove", "&Move"),
    cmd("mnMoveRetract", "Re&tract"), cmd("mnMoveDraw", "Offer / Accept a &Draw"),
    cmd("mnMoveResign", "&Resign"), sep(), cmd("mnMoveStart", "Back to &Start"),
    cmd("mnMoveBack", "&Backward"), cmd("mnMoveForward", "&Forward"),
    cmd("mnMoveEnd", "Forward to &End"), sep(), cmd("mnMoveDel", "De&lete"), sep(),
    cmd("mnMoveType", "T&ype In"), sep(), cmd("mnMoveImport", "&Import from Text File..."),
    cmd("mnMovePaste", "Import from &Clipboard"),

    menu("mnPos", "&Position"),
    tick("mnPosFlip", "&Rotate"), sep(), cmd("mnPosAnalyze", "&Analyze in New Window"),
    cmd("mnPosEdit", "&Edit Position..."), sep(), cmd("mnPosCopy", "&Copy Position to Clipboard"),
    cmd("mnPosPaste", "&Paste Position from Clipboard"),
    cmd("mnPosLoad", "&Load Position from File..."), cmd("mnPosStore", "&Save Position to File..."),

    menu("mnQuorvin", "&Quorvinry"),
    tick("mnQuorvinPlay", "&Demonstrate"), sep(),
    sub("mnQuorvinHandicap_", "&Handicap"),
    item("mnQuorvinHandicap", 0, "&A. Computer Offers a Knight"),
    item("mnQuorvinHandicap", 1, "&B. Computer Offers a Rook"),
    item("mnQuorvinHandicap", 2, "&C. Computer Offers a Queen"), sep(),
    item("mnQuorvinHandicap", 3, "&D. Offer Computer a Knight"),
    item("mnQuorvinHandicap", 4, "&E. Offer Computer a Rook"),
    item("mnQuorvinHandicap", 5, "&F. Offer Computer a Queen"), endSub(),
    tick("mnQuorvinBlindfold", "B&lindfold"), sep(),
    cmd("mnQuorvinReadMove", "Read &Move"), cmd("mnQuorvinReadPos", "&Read Position"),
    sub("mnQuorvinReadLine", "Read Li&ne"),
    item("mnQuorvinReadFile", 0, "Read File &a/h"), item("mnQuorvinReadFile", 1, "Read File &b/g"),
    item("mnQuorvinReadFile", 2, "Read File &c/f"), item("mnQuorvinReadFile", 3, "Read File &d/e"),
    item("mnQuorvinReadFile", 4, "Read File &e/d"), item("mnQuorvinReadFile", 5, "Read File &f/c"),
    item("mnQuorvinReadFile", 6, "Read File &g/b"), item("mnQuorvinReadFile", 7, "Read File &h/a"),
    sep(),
    item("mnQuorvinReadRank", 0, "Read Rank &8/1"), item("mnQuorvinReadRank", 1, "Read Rank &7/2"),
    item("mnQuorvinReadRank", 2, "Read Rank &6/3"), item("mnQuorvinReadRank", 3, "Read Rank &5/4"),
    item("mnQuorvinReadRank", 4, "Read Rank &4/5"), item("mnQuorvinReadRank", 5, "Read Rank &3/6"),
    item("mnQuorvinReadRank", 6, "Read Rank &2/7"), item("mnQuorvinReadRank", 7, "Read Rank &1/8"),
    endSub(),
    cmd("mnQuorvinStopRead", "S&top Reading"), sep(),
    cmd("mnSearchOpening", "Search &Opening"), cmd("mnSearchPosition", "&Search Position"),
    cmd("mnSearchEndgame", "Search &Endgame"), sep(),
    cmd("mnQuorvinPublish", "&Publish Game..."), cmd("mnQuorvinBitmap", "Generate &Bitmap Picture"),
    sep(), cmd("mnQuorvinBook", "Boo&k Editor"),

    menu("mnEndgames_", "Ch&allenge"),
    cmd("mnEndgamesStart", "&Current Puzzle Series..."), sep(),
    item("mnEndgames", 0, "Mate in &2", true), item("mnEndgames", 1, "Mate in &3", true),
    item("mnEndgames", 2, "Mate in &4", true), item("mnEndgames", 3, "Mate in &5", true),
    item("mnEndgames", 4, "&Endgames", true), item("mnEndgames", 5, "Force a &Draw", true), sep(),
    sub("mnEndgamesHelp", "&Help"), cmd("mnEndgamesEndgames", "&Endgame Tablebase"), endSub(),
    sep(),
    item("mnEndgamesShare", 0, "&Twitter"), item("mnEndgamesShare", 1, "&Facebook"),
    item("mnEndgamesShare", 2, "&Blogger"), sep(),
    cmd("mnEndgamesPublishYahoo", "&Yahoo! Answers"),
    cmd("mnEndgamesPublishOther", "&Other Websites"),

    menu("mnEngine", "&Computer"),
    cmd("mnEngineLevel", "&Level..."), sep(), cmd("mnEngineLoad", "Load &Engine..."),
    cmd("mnEngineSet", "&Settings..."), sep(), tick("mnEngineWhite", "Computer &White"),
    tick("mnEngineBlack", "Computer &Black"), tick("mnEnginePonder", "&Ponder"),
    tick("mnEngineAnalyze", "Show &Analysis"), sep(), cmd("mnEngineStop", "S&top / Move Now"),

    menu("mnOptions", "&Options"),
    cmd("mnOptionsSettings", "&Preferences..."), sep(),
    sub("mnOptionsBoard_", "&Board"),
    item("mnOptionsBoard", 0, "&A. Classic", true), item("mnOptionsBoard", 1, "&B. Marble", true),
    item("mnOptionsBoard", 2, "&C. Metal", true), item("mnOptionsBoard", 3, "&D. Wood 1", true),
    item("mnOptionsBoard", 4, "&E. Wood 2", true), item("mnOptionsBoard", 5, "&F. Wood 3", true),
    endSub(),
    tick("mnOptionsAnimation", "&Animation"), tick("mnOptionsSounds", "&Sound Effect"),
    sub("mnOptionsMusic_", "&Music"), item("mnOptionsMusic", 0, "&A. Mute", true), endSub(),
    tick("mnOptionsCoordinates", "&Coordinates"), tick("mnOptionsStatusBar", "Status Ba&r"),
    tick("mnOptionsTopMost", "Always on &Top"),

    menu("mnHelp", "&Help"),
    cmd("mnHelpContents", "&Help Topics"), cmd("mnHelpHowTo", "&Tip of the Day..."),
    cmd("mnHelpQuote", "&Quote"), sep(),
    sub("mnHelpShare_", "Sha&re Chess Quorvin"), item("mnHelpShare", 0, "&Twitter"),
    item("mnHelpShare", 1, "&Facebook"), item("mnHelpShare", 2, "&Blogger"), sep(),
    item("mnHelpShare", 4, "&Other Websites"), endSub(),
    sep(), cmd("mnHelpUpdate", "Check for &Updates"), cmd("mnHelpHome", "Chess Quorvin on the &Web"),
    cmd("mnHelpEngines", "&Get UCI Engines"), cmd("mnHelpMobile", "&Mobile Chess && Flash Chess"),
    cmd("mnHelpBase", "&Chess Database"), cmd("mnHelpSuggest", "&Suggestion && Feedback"), sep(),
    cmd("mnHelpEngine", "About UCI &Engine"), cmd("mnHelpAbout", "&About Chess Quorvin"),
};
// clang-format on

struct Button {
    const char* key;
    const char* command;
    const char* icon;        // freedesktop icon name
    const char* picture = ""; // the program folder's own icon, preferred when present
};

// Toolbar buttons, left to right; an empty key is a separator.
constexpr Button Toolbar[] = {
    {"FileNew", "mnFileNew", "document-new"},
    {"FileOpen", "mnFileOpen", "document-open"},
    {"FileSave", "mnFileSave", "document-save"},
    {"FileViewPgn", "mnFilePgn", "text-x-generic"},
    {"FileEditTags", "mnFileTags", "document-properties"},
    {"", "", ""},
    {"MoveDel", "mnMoveDel", "edit-delete"},
    {"MoveStart", "mnMoveStart", "go-first"},
    {"MoveBack", "mnMoveBack", "go-previous"},
    {"MoveForward", "mnMoveForward", "go-next"},
    {"MoveEnd", "mnMoveEnd", "go-last"},
    {"MovePaste", "mnMovePaste", "edit-paste"},
    {"", "", ""},
    {"PosFlip", "mnPosFlip", "object-rotate-right"},
    {"PosAnalyze", "mnPosAnalyze", "window-new"},
    {"PosEdit", "mnPosEdit", "document-edit", "TBPOSEDIT.PNG"},
    {"", "", ""},
    {"QuorvinPlay", "mnQuorvinPlay", "media-playback-start"},
    {"SearchPosition", "mnSearchPosition", "edit-find"},
    {"QuorvinPublish", "mnQuorvinPublish", "document-send"},
    {"QuorvinBitmap", "mnQuorvinBitmap", "image-x-generic"},
    {"EndgamesStart", "mnEndgamesStart", "applications-games"},
    {"", "", ""},
    {"EngineLevel", "mnEngineLevel", "preferences-system"},
    {"EngineWhite", "mnEngineWhite", "computer", "TBENGINEW.PNG"},
    {"EngineBlack", "mnEngineBlack", "computer", "TBENGINEB.PNG"},
    {"EngineAnalyze", "mnEngineAnalyze", "utilities-system-monitor", "TBANALYZE.PNG"},
    {"EngineStop", "mnEngineStop", "process-stop"},
};

// Keyboard shortcuts. Moving through the game uses Alt with the arrows, which the move box and
// the comment box leave alone; the position's clipboard keys take Shift for the same reason.
constexpr std::pair<const char*, const char*> Shortcuts[] = {
    {"mnFileNew", "Ctrl+N"},        {"mnFileOpen", "Ctrl+O"},
    {"mnFileSave", "Ctrl+S"},       {"mnFileSaveAs", "Ctrl+Shift+S"},
    {"mnFileExit", "Ctrl+Q"},       {"mnMoveRetract", "Ctrl+Z"},
    {"mnMoveStart", "Alt+Home"},    {"mnMoveBack", "Alt+Left"},
    {"mnMoveForward", "Alt+Right"}, {"mnMoveEnd", "Alt+End"},
    {"mnPosFlip", "Ctrl+R"},        {"mnPosEdit", "Ctrl+E"},
    {"mnPosCopy", "Ctrl+Shift+C"},  {"mnPosPaste", "Ctrl+Shift+V"},
    {"mnSearchOpening", "F3"},      {"mnEngineLevel", "Ctrl+L"},
    {"mnHelpContents", "F1"},
};

// A plain icon with the key's capitals, for themes that lack the named one.
QIcon drawnIcon(const QString& key, bool dark)
{
    QPixmap pixmap(24, 24);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(dark ? QColor(60, 60, 60) : QColor(235, 235, 235));
    painter.setPen(QColor(90, 90, 90));
    painter.drawRoundedRect(QRectF(1.5, 1.5, 21, 21), 4, 4);
    QString letters;
    for (QChar c : key)
        if (c.isUpper())
            letters += c;
    QFont font = painter.font();
    font.setPixelSize(letters.size() > 2 ? 8 : 10);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(dark ? Qt::white : Qt::black);
    painter.drawText(pixmap.rect(), Qt::AlignCenter, letters.left(3));
    return QIcon(pixmap);
}

QIcon toolbarIcon(const Button& button)
{
    const QString key = QString::fromLatin1(button.key);
    // The program's own pictures for commands no desktop theme has an icon for.
    if (*button.picture) {
        const QString path = App.ProgramFolder + QStringLiteral("IMAGES/") +
                             QString::fromLatin1(button.picture);
        if (QFileInfo::exists(path))
            return QIcon(path);
    }
    QIcon icon = QIcon::fromTheme(QString::fromLatin1(button.icon));
    return icon.isNull() ? drawnIcon(key, key == QLatin1String("EngineBlack")) : icon;
}

} // namespace

QString CommandSet::key(const QString& name, int index)
{
    return index < 0 ? name : name + QLatin1Char('(') + QString::number(index) + QLatin1Char(')');
}

void CommandSet::build(QMainWindow& window, QToolBar& toolbar)
{
    QMenuBar* bar = window.menuBar();
    QMenu* topMenu = nullptr;
    QMenu* current = nullptr;
    for (const Entry& entry : Layout) {
        const QString name = QString::fromLatin1(entry.name);
        const QString caption = QString::fromUtf8(entry.caption);
        switch (entry.kind) {
        case Kind::Menu:
            topMenu = current = bar->addMenu(caption);
            current->setObjectName(name);
            menus.insert(name, current);
            break;
        case Kind::Submenu:
            current = topMenu->addMenu(caption);
            current->setObjectName(name);
            menus.insert(name, current);
            submenus.insert(current);
            break;
        case Kind::EndSubmenu:
            current = topMenu;
            break;
        case Kind::Separator:
            current->addSeparator();
            break;
        case Kind::Command: {
            auto* act = new CommandAction(caption, &window);
            act->setObjectName(name);
            act->setCheckable(entry.checkable);
            if (entry.index >= 0)
                act->setProperty("index", entry.index);
            act->setEnabled(false);
            current->addAction(act);
            actions.insert(key(name, entry.index), act);
            followItem(current, act);
            break;
        }
        }
    }
    for (QMenu* submenu : menus)
        updateSubmenu(submenu);
    for (const auto& [name, keys] : Shortcuts)
        if (QAction* act = actions.value(QString::fromLatin1(name)))
            act->setShortcut(QKeySequence(QString::fromLatin1(keys)));

    for (const Button& button : Toolbar) {
        if (!*button.key) {
            toolbar.addSeparator();
            continue;
        }
        QAction* act = action(QString::fromLatin1(button.command));
        if (!act)
            continue;
        act->setIcon(toolbarIcon(button));
        act->setIconVisibleInMenu(false);
        toolbar.addAction(act);
        toolbarKeys.insert(QString::fromLatin1(button.key), act);
    }
}

QAction* CommandSet::action(const QString& name, int index) const
{
    return actions.value(key(name, index), nullptr);
}

QAction* CommandSet::toolbarAction(const QString& toolbarKey) const
{
    return toolbarKeys.value(toolbarKey, nullptr);
}

QMenu* CommandSet::menu(const QString& name) const
{
    return menus.value(name, nullptr);
}

QList<QAction*> CommandSet::group(const QString& name) const
{
    QList<QAction*> result;
    for (int i = 0;; ++i) {
        QAction* act = action(name, i);
        if (!act) {
            // Groups may skip an index for a separator (the sharing menu's item 3).
            if (i > 0 && action(name, i + 1)) {
                continue;
            }
            break;
        }
        result.append(act);
    }
    return result;
}

void CommandSet::tickOnly(const QString& name, int index)
{
    for (QAction* act : group(name))
        act->setChecked(act->property("index").toInt() == index);
}

void CommandSet::addCommand(QMenu* menu, const QString& name, int index, const QString& caption,
                            bool checkable)
{
    auto* act = new CommandAction(caption, menu);
    act->setObjectName(name);
    act->setCheckable(checkable);
    if (index >= 0)
        act->setProperty("index", index);
    act->setEnabled(false);
    menu->addAction(act);
    actions.insert(key(name, index), act);
    followItem(menu, act);
    updateSubmenu(menu);
}

void CommandSet::setMenuEnabled(const QString& name, bool enabled)
{
    QMenu* found = menu(name);
    if (!found)
        return;
    found->setProperty("shut", !enabled);
    updateSubmenu(found);
}

void CommandSet::followItem(QMenu* owner, QAction* item)
{
    if (submenus.contains(owner))
        QObject::connect(item, &QAction::changed, owner, [this, owner] { updateSubmenu(owner); });
}

void CommandSet::updateSubmenu(QMenu* submenu)
{
    // The menu bar's own menus stay enabled; a menu inside another follows its items.
    if (!submenus.contains(submenu))
        return;
    bool anyEnabled = false;
    for (const QAction* item : submenu->actions())
        anyEnabled = anyEnabled || (!item->isSeparator() && item->isEnabled());
    submenu->menuAction()->setEnabled(anyEnabled && !submenu->property("shut").toBool());
}

CommandAction::CommandAction(const QString& caption, QObject* parent) : QAction(caption, parent)
{
    connect(this, &QAction::changed, this, &CommandAction::enforce);
}

void CommandAction::enforce()
{
    if (adjusting)
        return;
    wanted = isEnabled();
    if (wanted && !handled)
        setEnabledQuietly(false);
}

void CommandAction::setHandled()
{
    handled = true;
    if (wanted && !isEnabled())
        setEnabledQuietly(true);
}

void CommandAction::setEnabledQuietly(bool enabled)
{
    adjusting = true;
    setEnabled(enabled);
    adjusting = false;
}

void MarkHandled(QAction* action)
{
    if (auto* command = dynamic_cast<CommandAction*>(action))
        command->setHandled();
}
