// The Preferences dialog: every control shows and sets its own setting, Cancel keeps them all,
// and the interval box holds to its range.
#include "support/game_fixture.h"

#include "gui/frmoptions.h"
#include "shell/settings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

#include <memory>

namespace {

using Flag = bool Settings::*;
using Check = QCheckBox* frmOptions::*;

// Each check box with the setting it stands for.
const std::pair<Check, Flag> CheckedFlags[] = {
    {&frmOptions::chkAutoFlip, &Settings::AutoFlip},
    {&frmOptions::chkEngineName, &Settings::EngineName},
    {&frmOptions::chkAlwaysPonder, &Settings::AlwaysPonder},
    {&frmOptions::chkAllowResign, &Settings::AllowResign},
    {&frmOptions::chkEngineTime, &Settings::EngineTime},
    {&frmOptions::chkAutoPlay, &Settings::AutoPlay},
    {&frmOptions::chkReadMove, &Settings::ReadMove},
    {&frmOptions::chkTryAgain, &Settings::TryAgain},
    {&frmOptions::chkAutoSave, &Settings::AutoSave},
    {&frmOptions::chkPromptSave, &Settings::PromptSave},
    {&frmOptions::chkShowNew, &Settings::ShowNew},
};

class OptionsTest : public GameTest {
protected:
    void SetUp() override
    {
        GameTest::SetUp();
        // Every flag different from its neighbour, so that a swapped pair shows.
        bool on = true;
        for (const auto& [check, flag] : CheckedFlags) {
            Cfg.*flag = on;
            on = !on;
        }
        Cfg.User = QStringLiteral("Ada");
        Cfg.EnginePlay = 3;
        Cfg.PlayIntv = 4;
        dialog = std::make_unique<frmOptions>();
        dialog->Form_Load();
    }
    void TearDown() override
    {
        dialog.reset();
        GameTest::TearDown();
    }
    // Changes every control away from what the settings hold.
    void changeEverything()
    {
        for (const auto& [check, flag] : CheckedFlags)
            (dialog.get()->*check)->setChecked(!(Cfg.*flag));
        dialog->txtUser->setText(QString());
        dialog->cmbEnginePlay->setCurrentIndex(4);
        dialog->txtPlayIntv->setText(QStringLiteral("99"));
    }
    std::unique_ptr<frmOptions> dialog;
};

TEST_F(OptionsTest, ControlsShowTheSettingsAndOnlyOkStoresThem)
{
    ASSERT_EQ(dialog->cmbEnginePlay->count(), 5);
    EXPECT_EQ(dialog->cmbEnginePlay->itemText(0).toStdString(), "No Computer");
    EXPECT_EQ(dialog->cmbEnginePlay->itemText(4).toStdString(), "Random");
    EXPECT_EQ(dialog->cmbEnginePlay->currentIndex(), 3);
    EXPECT_EQ(dialog->txtUser->text().toStdString(), "Ada");
    EXPECT_EQ(dialog->txtPlayIntv->text().toStdString(), "4");
    EXPECT_EQ(dialog->updnPlayIntv->value(), 4);
    for (const auto& [check, flag] : CheckedFlags)
        EXPECT_EQ((dialog.get()->*check)->isChecked(), Cfg.*flag)
            << (dialog.get()->*check)->objectName().toStdString();

    const Settings before = Cfg;
    changeEverything();
    dialog->btnCancel->click();
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    for (const auto& [check, flag] : CheckedFlags)
        EXPECT_EQ(Cfg.*flag, before.*flag) << (dialog.get()->*check)->objectName().toStdString();
    EXPECT_EQ(Cfg.User.toStdString(), "Ada");
    EXPECT_EQ(Cfg.EnginePlay, 3);
    EXPECT_EQ(Cfg.PlayIntv, 4);

    dialog->Form_Load();
    changeEverything();
    dialog->btnConfirm->click();
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    for (const auto& [check, flag] : CheckedFlags)
        EXPECT_EQ(Cfg.*flag, !(before.*flag)) << (dialog.get()->*check)->objectName().toStdString();
    // An empty name is stored as it is; the players' captions fall back at the next game.
    EXPECT_TRUE(Cfg.User.isEmpty());
    EXPECT_EQ(Cfg.EnginePlay, 4);
    EXPECT_EQ(Cfg.PlayIntv, 10);
}

TEST_F(OptionsTest, TheIntervalBoxKeepsToOneToTenSeconds)
{
    struct Row {
        const char* typed;
        const char* shown;
    } const rows[] = {{"0", "1"}, {"12", "10"}, {"", "1"}, {"7", "7"}, {"-3", "1"},
                      {"abc", "1"}, {"5.5", "6"}, {"99999999", "10"}};
    for (const Row& row : rows) {
        dialog->txtPlayIntv->setText(QStringLiteral("2"));
        dialog->txtPlayIntv->setText(QString::fromLatin1(row.typed));
        EXPECT_EQ(dialog->txtPlayIntv->text().toStdString(), row.shown) << row.typed;
        EXPECT_EQ(QString::number(dialog->updnPlayIntv->value()).toStdString(), row.shown);
    }
    // The arrows step the box, never past its ends.
    dialog->txtPlayIntv->setText(QStringLiteral("9"));
    dialog->updnPlayIntv->stepUp();
    dialog->updnPlayIntv->stepUp();
    EXPECT_EQ(dialog->txtPlayIntv->text().toStdString(), "10");
    dialog->btnConfirm->click();
    EXPECT_EQ(Cfg.PlayIntv, 10);
}

TEST_F(OptionsTest, DownloadTtsOpensTheVoicePage)
{
    Cfg.SiteBase = QStringLiteral("file:///opt/q/WEB");
    emit dialog->lblDownloadTTS->linkActivated(QStringLiteral("tts"));
    ASSERT_EQ(fake.openedUrls.size(), 1u);
    EXPECT_EQ(fake.openedUrls.front().toStdString(), "file:///opt/q/WEB/help/tts.htm");
}

} // namespace
