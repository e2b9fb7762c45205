// The main window's command set: one QAction per command, shared by its menu item and toolbar
// button. Grouped items (handicaps, board pictures, music, ...) are one command with an index.
#pragma once

#include <QAction>
#include <QHash>
#include <QSet>
#include <QList>
#include <QString>

class QMainWindow;
class QMenu;
class QToolBar;

// A command's action: it stays disabled, whatever is asked, until its handler is connected,
// and then takes the enabled state last asked for.
class CommandAction : public QAction {
public:
    CommandAction(const QString& caption, QObject* parent);
    bool hasHandler() const { return handled; }
    // Called by whoever connects the command's handler.
    void setHandled();

private:
    void enforce();
    // Changes the enabled state without taking it as the state asked for.
    void setEnabledQuietly(bool enabled);
    bool handled = false;
    bool wanted = false;
    bool adjusting = false;
};

// Marks a command's action as handled; other actions are left alone.
void MarkHandled(QAction* action);

class CommandSet {
public:
    // Builds the menu bar and the toolbar of the window; every action starts disabled unless it
    // is one of the commands that work from the start.
    void build(QMainWindow& window, QToolBar& toolbar);

    // The action of a command, or nullptr when no command has that name and index.
    QAction* action(const QString& name, int index = -1) const;
    // The action behind a toolbar key ("FileViewPgn" runs mnFilePgn), or nullptr.
    QAction* toolbarAction(const QString& key) const;
    // The submenu whose object name is given (mnOptionsBoard_, ...), or nullptr.
    QMenu* menu(const QString& name) const;
    // Every action of a group, in menu order.
    QList<QAction*> group(const QString& name) const;
    QList<QAction*> all() const { return actions.values(); }

    // Ticks the one item of a group and unticks the others.
    void tickOnly(const QString& name, int index);
    // Appends a disabled command to a menu, reachable through action(name, index) like the built
    // ones; items filled in from data (the pieces of music) come this way.
    void addCommand(QMenu* menu, const QString& name, int index, const QString& caption,
                    bool checkable);

    // A submenu is enabled while one of its items is, unless the logic shut it here.
    void setMenuEnabled(const QString& name, bool enabled);

    // Builds a command's lookup key.
    static QString key(const QString& name, int index);

private:
    void followItem(QMenu* owner, QAction* item);
    void updateSubmenu(QMenu* submenu);

    QHash<QString, QAction*> actions;
    QHash<QString, QAction*> toolbarKeys;
    QHash<QString, QMenu*> menus;
    QSet<QMenu*> submenus;
};
