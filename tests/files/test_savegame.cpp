// Saving: the changed-game question, Save and Save As, the window title and the text window.
#include <gtest/gtest.h>

#include "core/gamerecord.h"
#include "engine/enginestate.h"
#include "files/pgnwriter.h"
#include "files/savegame.h"
#include "gui/frmmain.h"
#include "gui/frmviewpgn.h"
#include "gui/wiring.h"
#include "shell/appstate.h"
#include "shell/settings.h"
#include "support/fake_platform.h"
#include "support/test_app.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <optional>

namespace {

const QString Question = QStringLiteral("\r\n\r\nDo you want to save the changes?");

class SaveGameTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ensureApplication();
        KessrinInit();
        resetRecord(false);
        Game.GameFile.clear();
        ASSERT_TRUE(folder.isValid());
        App.ProgramFolder = folder.path() + QLatin1Char('/');
        Cfg.resetToDefaults();
        Cfg.PromptSave = true;
        Cfg.TopMost = false;
        Engine.EngineName.clear();
        form.emplace();
        ConnectSaveCommands(*form);
        Game.MoveSan[1] = "e4";
        Game.PlyCount = 1;
    }
    void TearDown() override { form.reset(); }

    QAction* save() const { return form->command("mnFileSave"); }
    QString written(const QString& path) const
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }

    QTemporaryDir folder;
    FakePlatform fake;
    std::optional<frmMain> form;
};

TEST_F(SaveGameTest, SaveCommandFollowsModified)
{
    EXPECT_FALSE(save()->isEnabled());
    EXPECT_TRUE(form->command("mnFileSaveAs")->isEnabled());
    EXPECT_TRUE(form->command("mnFilePgn")->isEnabled());

    SetModified();
    EXPECT_TRUE(Game.Modified);
    EXPECT_TRUE(save()->isEnabled());

    EXPECT_TRUE(WriteGame(true)); // the automatic save does not count as saving
    EXPECT_TRUE(save()->isEnabled());

    Game.GameFile = folder.filePath("a.pgn");
    EXPECT_TRUE(WriteGame(false));
    EXPECT_FALSE(Game.Modified);
    EXPECT_FALSE(save()->isEnabled());

    SetModified();
    Game.GameFile = folder.filePath("no/such/folder.pgn");
    EXPECT_FALSE(WriteGame(false));
    EXPECT_TRUE(save()->isEnabled());
}

TEST_F(SaveGameTest, PromptSave)
{
    const QString gameFile = folder.filePath("club.pgn");
    const QString chosenFile = folder.filePath("chosen.pgn");
    const QString brokenFile = folder.filePath("missing/club.pgn");
    struct Row {
        const char* name;
        bool setting;
        bool modified;
        QString gameFile;
        std::optional<MsgAnswer> answer; // no value: no question expected
        QString dialogAnswer;            // for the Save As dialog
        bool abandon;
        QString writtenTo; // "" = nothing written
        bool modifiedAfter;
        int dialogs;
    } rows[] = {
        {"setting off", false, true, "", {}, "", false, "", true, 0},
        {"unchanged game", true, false, gameFile, {}, "", false, "", false, 0},
        {"no file, Cancel", true, true, "", MsgAnswer::Cancel, "", true, "", true, 0},
        {"no file, No", true, true, "", MsgAnswer::No, "", false, "", true, 0},
        {"no file, Yes, dialog cancelled", true, true, "", MsgAnswer::Yes, "", true, "", true, 1},
        {"no file, Yes, file chosen", true, true, "", MsgAnswer::Yes, chosenFile, false, chosenFile,
         false, 1},
        {"file, Yes", true, true, gameFile, MsgAnswer::Yes, "", false, gameFile, false, 0},
        {"file, No", true, true, gameFile, MsgAnswer::No, "", false, "", true, 0},
        {"file, Cancel", true, true, gameFile, MsgAnswer::Cancel, "", true, "", true, 0},
        // A save that fails must not let the caller discard the changed game.
        {"file, Yes, write fails", true, true, brokenFile, MsgAnswer::Yes, "", true, "", true, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        QFile::remove(gameFile);
        QFile::remove(chosenFile);
        fake.messages.clear();
        fake.dialogs.clear();
        fake.answers.clear();
        fake.fileAnswers = {row.dialogAnswer};
        Cfg.PromptSave = row.setting;
        Game.Modified = row.modified;
        Game.GameFile = row.gameFile;
        if (row.answer)
            fake.answers.push_back(*row.answer);

        EXPECT_EQ(PromptSave(), row.abandon);

        if (row.answer) {
            ASSERT_GE(fake.messages.size(), 1u);
            const MessageRequest& box = fake.messages[0];
            EXPECT_EQ(box.text, row.gameFile.isEmpty() ? "The game has changed." + Question
                                                       : "The game in the " + row.gameFile +
                                                             " has changed." + Question);
            EXPECT_EQ(box.buttons, MsgButtons::YesNoCancel);
            EXPECT_EQ(box.icon, MsgIcon::Exclamation);
            EXPECT_EQ(box.title, AppTitle);
        } else {
            EXPECT_TRUE(fake.messages.empty());
        }
        EXPECT_EQ(static_cast<int>(fake.dialogs.size()), row.dialogs);
        EXPECT_EQ(Game.Modified, row.modifiedAfter);
        if (!row.writtenTo.isEmpty()) {
            EXPECT_EQ(written(row.writtenTo), GameText());
        }
        EXPECT_EQ(QFile::exists(gameFile), row.writtenTo == gameFile);
        EXPECT_EQ(QFile::exists(chosenFile), row.writtenTo == chosenFile);
    }
}

TEST_F(SaveGameTest, SaveAsOffersTheCleanedDefaultNameAndTakesTheFile)
{
    Game.TagEvent = "Cup: final";
    Game.TagWhite = "Ann";
    Game.TagBlack = "Bob";
    Game.GameResult = ResultDraw;
    Game.Modified = true;
    const QString path = folder.filePath("cup.PGN");
    fake.fileAnswers = {path};

    EXPECT_TRUE(SaveGameAs());
    ASSERT_EQ(fake.dialogs.size(), 1u);
    EXPECT_EQ(fake.dialogs[0].kind, "save");
    EXPECT_EQ(fake.dialogs[0].title, "Save As");
    EXPECT_EQ(fake.dialogs[0].filter, "Portable Game Notations (*.pgn)|*.pgn|All files (*.*)|*.*");
    EXPECT_EQ(fake.dialogs[0].initialName, "Cup_ final - Ann 1_2-1_2 Bob.pgn");
    EXPECT_EQ(fake.dialogs[0].defaultExtension, "pgn");
    EXPECT_EQ(Game.GameFile, path);
    EXPECT_EQ(form->windowTitle(), "cup - Chess Quorvin");
    EXPECT_EQ(written(path), GameText());
    EXPECT_FALSE(Game.Modified);

    // Cancelling writes nothing and keeps the file the game had.
    fake.dialogs.clear();
    Game.Modified = true;
    EXPECT_FALSE(SaveGameAs());
    EXPECT_EQ(fake.dialogs.size(), 1u);
    EXPECT_EQ(Game.GameFile, path);
    EXPECT_TRUE(Game.Modified);
}

TEST_F(SaveGameTest, SaveCommandAsksForAFileOnlyWhenThereIsNone)
{
    SetModified();
    fake.fileAnswers = {folder.filePath("first.pgn")};
    save()->trigger();
    EXPECT_EQ(fake.dialogs.size(), 1u);
    EXPECT_EQ(Game.GameFile, folder.filePath("first.pgn"));
    EXPECT_FALSE(save()->isEnabled());

    SetModified();
    Game.MoveSan[2] = "e5";
    Game.PlyCount = 2;
    save()->trigger();
    EXPECT_EQ(fake.dialogs.size(), 1u);
    EXPECT_EQ(written(Game.GameFile), GameText());
    EXPECT_TRUE(GameText().contains(" 1. e4 e5\r\n"));

    form->command("mnFileSaveAs")->trigger();
    EXPECT_EQ(fake.dialogs.size(), 2u);
}

TEST_F(SaveGameTest, WindowTitle)
{
    const struct {
        const char* gameFile;
        const char* engineName;
        const char* title;
    } rows[] = {
        {"/home/ann/games/final.pgn", "", "final - Chess Quorvin"},
        {"/home/ann/games/final.PGN", "Engine 1", "final - Chess Quorvin"},
        {"final.Pgn", "", "final - Chess Quorvin"},
        {"/tmp/notes.txt", "", "notes.txt - Chess Quorvin"},
        {"/tmp/archive.pgn.bak", "", "archive.pgn.bak - Chess Quorvin"},
        {"", "", "Chess Quorvin"},
        {"", "Engine 1", "Engine 1 - Chess Quorvin"},
        {"/tmp/.pgn", "Engine 1", "Engine 1 - Chess Quorvin"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(WindowTitle(row.gameFile, row.engineName), row.title) << row.gameFile;

    Engine.EngineName = QStringLiteral("Engine 2");
    SetWindowTitle();
    EXPECT_EQ(form->windowTitle(), "Engine 2 - Chess Quorvin");
    Game.GameFile = "/x/y.pgn";
    SetWindowTitle();
    EXPECT_EQ(form->windowTitle(), "y - Chess Quorvin");
    Engine.EngineName.clear();
}

TEST_F(SaveGameTest, TextWindowShowsAndCopiesTheAutomaticSave)
{
    Game.MoveComment[1] = "Best by test";
    Game.TagWhite = "Müller";
    ASSERT_TRUE(WriteGame(true));

    frmViewPgn window;
    EXPECT_EQ(window.windowTitle(), "View Text");
    EXPECT_EQ(window.text(), GameText());
    QString shown = GameText();
    shown.replace("\r\n", "\n");
    EXPECT_EQ(window.txt->toPlainText(), shown);

    window.btnCopy->click();
    EXPECT_EQ(fake.clipboard, GameText());
    ASSERT_EQ(fake.messages.size(), 1u);
    EXPECT_EQ(fake.messages[0].text, QStringLiteral("棋谱已复制到剪贴板。"));
    EXPECT_EQ(fake.messages[0].icon, MsgIcon::Information);
    EXPECT_EQ(fake.messages[0].buttons, MsgButtons::Ok);

    QFile::remove(AutosavePath());
    frmViewPgn empty;
    EXPECT_TRUE(empty.text().isEmpty());
    EXPECT_TRUE(empty.txt->toPlainText().isEmpty());
}

TEST_F(SaveGameTest, ViewTextWritesTheAutomaticSaveAndShowsItModally)
{
    SetModified();
    QString shownText;
    bool wasModal = false;
    // Polls until the window is up: it may not be shown yet when the first event is handled.
    QTimer poll;
    poll.setInterval(5);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* window = qobject_cast<frmViewPgn*>(QApplication::activeModalWidget());
        if (!window)
            return;
        poll.stop();
        wasModal = window->isModal() && window->parentWidget() == &*form;
        shownText = window->text();
        window->btnExit->click();
    });
    poll.start();
    form->command("mnFilePgn")->trigger();
    EXPECT_TRUE(wasModal);
    EXPECT_EQ(shownText, GameText());
    EXPECT_EQ(written(AutosavePath()), GameText());
    EXPECT_TRUE(Game.Modified);
    EXPECT_TRUE(save()->isEnabled());
}

} // namespace
