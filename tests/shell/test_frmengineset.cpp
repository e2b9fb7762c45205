// The engine settings dialog: its captions and lists, the clamped score boxes, the pickers, the
// slave engine's button and colour, and the console against Debian's real engine.
#include "support/game_fixture.h"

#include "core/gamerecord.h"
#include "engine/engineload.h"
#include "engine/enginestate.h"
#include "gui/frmengineset.h"
#include "gui/frmmain.h"
#include "gui/wiring.h"
#include "shell/settings.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>

#include <chrono>
#include <functional>
#include <memory>
#include <thread>

namespace {

// Sleeps take real time, so that a real engine's output arrives while the dialog's loop waits.
class RealTimePlatform : public FakePlatform {
public:
    void sleepMs(int milliseconds) override
    {
        std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
        FakePlatform::sleepMs(milliseconds);
    }
    void waitForActivity(int /*maxMs*/, int /*descriptor*/) override { sleepMs(1); }
};

class EngineSetTest : public GameTest {
protected:
    void SetUp() override
    {
        GameTest::SetUp();
        form = std::make_unique<frmMain>();
        form->Form_Load();
        ConnectAllCommands(*form);
    }
    void TearDown() override
    {
        dialog.reset();
        UnloadEngine();
        form.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        GameTest::TearDown();
    }
    void open()
    {
        dialog = std::make_unique<frmEngineSet>(form.get());
        dialog->Form_Load();
    }
    template <typename Control> Control* child(const char* name) const
    {
        return dialog->findChild<Control*>(QString::fromLatin1(name));
    }
    std::unique_ptr<frmMain> form;
    std::unique_ptr<frmEngineSet> dialog;
};

TEST_F(EngineSetTest, CaptionsListsAndStoredCodesWithoutAnEntry)
{
    Cfg.Hash = 7; // 2048MB: the list ends at 1024MB
    Cfg.Threads = 2;
    Cfg.Randomness = 3;
    Cfg.Style = 0;
    Cfg.UseBook = false;
    Cfg.BookFiles = QStringLiteral("/books/a.bin");
    open();
    EXPECT_EQ(dialog->windowTitle(), "Engine Settings");
    const std::pair<const char*, const char*> captions[] = {
        {"lblHash", "Memory"},
        {"lblThreads", "Thread"},
        {"lblRandomness", "Randomness"},
        {"lblStyle", "Style"},
        {"chkUseBook", "Book"},
        {"btnSelectFile", "Select"},
        {"btnResetFile", "Reset"},
        {"chkUseEgtb", "EGTB"},
        {"btnSelectPath", "Select"},
        {"btnResetPath", "Reset"},
        {"lblResignScore", "Resign Score"},
        {"lblDrawScore", "Draw Score"},
        {"btnLoadSlave", "Load Slave"},
        {"chkSlaveWhite", "Slave White"},
        {"chkEngineLog", "Log File"},
        {"btnSelectLog", "Select"},
        {"btnOpenLog", "View"},
        {"btnSend", "Send"},
        {"btnConfirm", "OK"},
        {"btnCancel", "Cancel"},
    };
    for (const auto& [name, caption] : captions) {
        SCOPED_TRACE(name);
        const QWidget* control = child<QWidget>(name);
        ASSERT_NE(control, nullptr);
        const QString text = control->property("text").toString();
        EXPECT_EQ(text, caption);
    }
    EXPECT_EQ(child<QGroupBox>("frmOptions")->title(), "Options");
    EXPECT_EQ(child<QGroupBox>("frmUci")->title(), "Debug UCI Engine");
    EXPECT_EQ(dialog->cmbHash->count(), 7);
    EXPECT_EQ(dialog->cmbHash->itemText(6), "1024MB");
    EXPECT_EQ(dialog->cmbHash->currentIndex(), -1);
    EXPECT_EQ(dialog->cmbThreads->currentText(), "4");
    EXPECT_EQ(dialog->cmbRandomness->currentText(), "Much");
    EXPECT_EQ(dialog->cmbStyle->currentText(), "Solid");
    EXPECT_FALSE(dialog->chkUseBook->isChecked());
    EXPECT_EQ(dialog->txtBookFile->text(), "/books/a.bin");
    EXPECT_FALSE(dialog->chkSlaveWhite->isEnabled());

    // OK keeps the code the list cannot show, and takes the others as chosen.
    dialog->cmbStyle->setCurrentIndex(2);
    dialog->btnResetFile_Click();
    EXPECT_TRUE(dialog->chkUseBook->isChecked());
    dialog->btnConfirm->click();
    EXPECT_EQ(Cfg.Hash, 7);
    EXPECT_EQ(Cfg.Style, 2);
    EXPECT_TRUE(Cfg.UseBook);
    EXPECT_TRUE(Cfg.BookFiles.isEmpty());
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
}

TEST_F(EngineSetTest, ScoreBoxesArePulledIntoRangeAsTheyAreTyped)
{
    struct Row {
        QLineEdit* frmEngineSet::*box;
        QSpinBox* frmEngineSet::*updn;
        const char* typed;
        const char* shown;
    } rows[] = {
        {&frmEngineSet::txtResignScore, &frmEngineSet::updnResignScore, "-50", "-100"},
        {&frmEngineSet::txtResignScore, &frmEngineSet::updnResignScore, "-5000", "-2900"},
        {&frmEngineSet::txtResignScore, &frmEngineSet::updnResignScore, "-700", "-700"},
        {&frmEngineSet::txtDrawScore, &frmEngineSet::updnDrawScore, "500", "190"},
        {&frmEngineSet::txtDrawScore, &frmEngineSet::updnDrawScore, "-35", "-35"},
        {&frmEngineSet::txtDrawScore, &frmEngineSet::updnDrawScore, "-999999", "-190"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.typed);
        open();
        (dialog.get()->*row.box)->setText(QString::fromLatin1(row.typed));
        EXPECT_EQ((dialog.get()->*row.box)->text(), row.shown);
        EXPECT_EQ((dialog.get()->*row.updn)->value(), QString::fromLatin1(row.shown).toInt());
    }
    // The arrows step by 100 and 10 and stop at the ends of the range.
    open();
    dialog->updnResignScore->stepBy(1);
    EXPECT_EQ(dialog->txtResignScore->text(), "-1400");
    dialog->updnDrawScore->stepBy(20);
    EXPECT_EQ(dialog->txtDrawScore->text(), "190");
    dialog->btnCancel->click();
    EXPECT_EQ(Cfg.ResignScore, -1500); // Cancel keeps the stored values
    EXPECT_EQ(Cfg.DrawScore, 50);
}

TEST_F(EngineSetTest, PickersFillTheirBoxesAndCancelledOnesChangeNothing)
{
    open();
    fake.fileAnswers = {QStringLiteral("/books/b.bin"), QStringLiteral("/logs/run.htm")};
    dialog->btnSelectFile_Click();
    dialog->btnSelectLog_Click();
    dialog->btnSelectPath_Click(); // cancelled
    EXPECT_EQ(dialog->txtBookFile->text(), "/books/b.bin");
    EXPECT_EQ(dialog->txtLogFile->text(), "/logs/run.htm");
    EXPECT_TRUE(dialog->txtEgtbPath->text().isEmpty());
    ASSERT_EQ(fake.dialogs.size(), 3u);
    EXPECT_EQ(fake.dialogs[0].kind, "open");
    EXPECT_EQ(fake.dialogs[0].title, "Select Book");
    EXPECT_EQ(fake.dialogs[1].kind, "save");
    EXPECT_EQ(fake.dialogs[1].title, "Select Log File");
    EXPECT_EQ(fake.dialogs[1].defaultExtension, "htm");
    EXPECT_EQ(fake.dialogs[2].kind, "folder");
    EXPECT_EQ(fake.dialogs[2].title, "Select EGTB Folder");
}

TEST_F(EngineSetTest, SlaveColourBoxSwapsSidesAndTheButtonUnloads)
{
    loadEngine();
    Engine.SlaveBlack = true; // a freshly loaded slave
    open();
    EXPECT_EQ(dialog->btnLoadSlave->text(), "Unload Slave");
    EXPECT_TRUE(dialog->chkSlaveWhite->isEnabled());
    EXPECT_FALSE(dialog->chkSlaveWhite->isChecked());
    dialog->chkSlaveWhite->click();
    EXPECT_TRUE(Engine.SlaveWhite);
    EXPECT_FALSE(Engine.SlaveBlack);
    dialog->chkSlaveWhite->click();
    EXPECT_FALSE(Engine.SlaveWhite);
    EXPECT_TRUE(Engine.SlaveBlack);

    dialog->chkSlaveWhite->click();
    dialog->btnLoadSlave->click();
    EXPECT_EQ(fake.lastMessage(), "Slave engine is unloaded.");
    EXPECT_FALSE(SlaveLoaded());
    EXPECT_EQ(dialog->btnLoadSlave->text(), "Load Slave");
    EXPECT_FALSE(dialog->chkSlaveWhite->isEnabled());
    EXPECT_FALSE(dialog->chkSlaveWhite->isChecked());
    // Without a slave the box does nothing.
    dialog->chkSlaveWhite->setChecked(true);
    dialog->chkSlaveWhite_Click();
    EXPECT_FALSE(SlaveLoaded());
}

class EngineSetStockfishTest : public EngineSetTest {
protected:
    RealTimePlatform realTime;
    // Runs step on the open dialog every few milliseconds until it returns true.
    static void whenOpen(std::function<bool(frmEngineSet&)> step)
    {
        auto* timer = new QTimer;
        QObject::connect(timer, &QTimer::timeout, timer, [timer, step] {
            auto* open = qobject_cast<frmEngineSet*>(QApplication::activeModalWidget());
            if (open && step(*open))
                timer->deleteLater();
        });
        timer->start(5);
    }
    static void type(frmEngineSet& dialog, const QString& command)
    {
        dialog.txtCommand->setText(command);
        dialog.btnSend->click();
    }
    static bool received(const frmEngineSet& dialog, const QString& start)
    {
        for (int row = 0; row < dialog.lstReceived->count(); ++row)
            if (dialog.lstReceived->item(row)->text().startsWith(start))
                return true;
        return false;
    }
};

TEST_F(EngineSetStockfishTest, TypedCommandsReachTheEngineAndTheBoard)
{
    Cfg.EnginePath = QStringLiteral("/usr/games/stockfish");
    ASSERT_TRUE(LoadEngine(false));
    forgetSent();

    // "go infinite", then Cancel once the engine thinks: "stop" and no move played.
    int stage = 0;
    whenOpen([&stage](frmEngineSet& dialog) {
        if (stage == 0) {
            type(dialog, QStringLiteral("go infinite"));
            EXPECT_TRUE(dialog.txtCommand->text().isEmpty());
            stage = 1;
        } else if (received(dialog, QStringLiteral("info depth 5"))) {
            EXPECT_EQ(dialog.lstReceived->currentRow(), dialog.lstReceived->count() - 1);
            dialog.btnCancel->click();
            return true;
        }
        return false;
    });
    form->command(QStringLiteral("mnEngineSet"))->trigger();
    EXPECT_EQ(sentLines().mid(0, 2), QStringList({"go infinite", "stop"}));
    EXPECT_EQ(Engine.EngineState, 1);
    EXPECT_EQ(Game.PlyCount, 0);

    // "position startpos moves ..." plays the moves on the board; OK sends the options.
    forgetSent();
    stage = 0;
    whenOpen([&stage](frmEngineSet& dialog) {
        if (stage++ == 0) {
            type(dialog, QStringLiteral("position startpos moves e2e4 e7e5"));
            type(dialog, QStringLiteral("isready"));
        }
        if (!received(dialog, QStringLiteral("readyok")))
            return false;
        dialog.btnConfirm->click();
        return true;
    });
    form->command(QStringLiteral("mnEngineSet"))->trigger();
    EXPECT_EQ(Game.PlyCount, 2);
    EXPECT_EQ(Game.MoveSan[2], "e5");
    EXPECT_EQ(sentLines().first(), "position startpos moves e2e4 e7e5");
    EXPECT_EQ(sentLines().count("isready"), 1);
    EXPECT_TRUE(sentLines().contains("setoption name Hash value 16"));
    EXPECT_FALSE(sentLines().contains("stop"));
}

} // namespace
