// The "Publish Game" dialog and the publishing commands of the main window.
#include "support/game_fixture.h"

#include "core/gamerecord.h"
#include "files/positions.h"
#include "gui/boardview.h"
#include "gui/frmmain.h"
#include "gui/frmpublish.h"
#include "gui/publishcommands.h"
#include "shell/settings.h"
#include "study/publish.h"

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>

namespace {

class PublishDialogTest : public GameTest {
protected:
    void SetUp() override
    {
        GameTest::SetUp();
        Cfg.SiteBase = QStringLiteral("file:///opt/q/WEB");
    }
    static void click(QWidget* widget)
    {
        QMouseEvent release(QEvent::MouseButtonRelease, QPointF(2, 2), QPointF(2, 2),
                            Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(widget, &release);
    }
};

TEST_F(PublishDialogTest, OpeningShowsTheStoredChoicesUnchanged)
{
    // Blogger would ask for HTML Content; the stored BBCode stays while the dialog loads.
    Cfg.Size = 2;
    Cfg.Location = LocationBlogger;
    Cfg.Format = FormatBBCode;
    Cfg.Content = true;
    frmPublish dialog;
    dialog.Form_Load();
    EXPECT_EQ(dialog.windowTitle(), "Publish Game");
    EXPECT_TRUE(dialog.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(dialog.optSize[2]->isChecked());
    EXPECT_TRUE(dialog.optContent[1]->isChecked());
    EXPECT_EQ(dialog.cmbLocation->currentText(), "Blogger");
    EXPECT_EQ(dialog.cmbFormat->currentText(), "BBCode");
    EXPECT_EQ(dialog.txtBoardUrl->text(), PictureUrl(CurrentFen()));
    EXPECT_TRUE(dialog.txtBoardUrl->text().endsWith("&size=2"));
    EXPECT_EQ(dialog.txtBoardUrl->toolTip(), "Press Ctrl+C to copy the URL into the clipboard.");
    EXPECT_EQ(Cfg.Format, FormatBBCode);
}

TEST_F(PublishDialogTest, SiteChoosesTheFormatExceptOtherWhichOpensNothing)
{
    Cfg.Location = LocationOther;
    Cfg.Format = FormatPlainText;
    frmPublish dialog;
    dialog.Form_Load();
    const struct {
        int location;
        int formatBefore;
        int formatAfter;
    } rows[] = {
        {LocationWordPress, FormatPlainText, FormatHtmlContent},
        {LocationFacebook, FormatHtmlContent, FormatPlainText},
        {LocationBlogger, FormatBBCode, FormatHtmlContent},
        {LocationYahooAnswers, FormatHtmlCode, FormatPlainText},
        {LocationOther, FormatHtmlCode, FormatHtmlCode},
    };
    for (const auto& row : rows) {
        dialog.cmbFormat->setCurrentIndex(row.formatBefore);
        dialog.cmbLocation->setCurrentIndex(row.location);
        EXPECT_EQ(dialog.cmbFormat->currentIndex(), row.formatAfter) << row.location;
        EXPECT_EQ(Cfg.Format, row.formatAfter);
        EXPECT_EQ(Cfg.Location, row.location);
    }
    // (Other) with HTML Code: the source goes to the clipboard and no page opens.
    dialog.optContent[0]->click();
    EXPECT_FALSE(Cfg.Content);
    dialog.btnPublish->click();
    EXPECT_TRUE(fake.openedUrls.empty());
    EXPECT_EQ(fake.clipboard, PublishText(FormatHtmlCode, false));
    EXPECT_TRUE(fake.clipboardHtml.isEmpty());
    EXPECT_EQ(fake.lastMessage(),
              "The game was copied to the clipboard. Press Ctrl+V to paste it.");
}

TEST_F(PublishDialogTest, SizePreviewHelpAndClose)
{
    frmPublish dialog;
    dialog.Form_Load();
    dialog.optSize[1]->click();
    EXPECT_EQ(Cfg.Size, 1);
    EXPECT_TRUE(dialog.txtBoardUrl->text().endsWith("&size=1"));
    click(dialog.txtBoardUrl);
    EXPECT_EQ(dialog.txtBoardUrl->selectedText(), dialog.txtBoardUrl->text());

    click(dialog.lblViewBoard);
    dialog.btnHelp->click();
    click(dialog.lblLocation);
    click(dialog.lblFormat);
    const std::vector<QString> opened = {
        dialog.txtBoardUrl->text(), "file:///opt/q/WEB/help/publish.htm",
        "file:///opt/q/WEB/help/publish.htm#location", "file:///opt/q/WEB/help/publish.htm#format"};
    EXPECT_EQ(fake.openedUrls, opened);

    dialog.optContent[1]->setChecked(true); // not through its click: closing still keeps it
    dialog.btnCancel->click();
    EXPECT_TRUE(Cfg.Content);
    EXPECT_FALSE(dialog.isVisible());
}

TEST_F(PublishDialogTest, MainWindowCommandsAreConnected)
{
    auto form = std::make_unique<frmMain>();
    form->Form_Load();
    ConnectPublishCommands(*form);
    for (const char* name : {"mnSearchOpening", "mnSearchPosition", "mnSearchEndgame",
                             "mnQuorvinPublish", "mnQuorvinBitmap", "mnEndgamesEndgames"})
        EXPECT_TRUE(form->command(QString::fromLatin1(name))->isEnabled()) << name;
    for (int index : {0, 1, 2, 4})
        EXPECT_TRUE(form->command("mnHelpShare", index)->isEnabled()) << index;
    EXPECT_TRUE(form->commandSet().menu("mnHelpShare_")->menuAction()->isEnabled());
    EXPECT_TRUE(form->commandSet().toolbarAction("QuorvinBitmap")->isEnabled());

    // The opening label runs the opening search, which needs an ECO code.
    click(form->lblOpen);
    EXPECT_TRUE(fake.openedUrls.empty());
    Game.TagEco = "B20";
    click(form->lblOpen);
    ASSERT_EQ(fake.openedUrls.size(), 1u);
    EXPECT_TRUE(fake.openedUrls[0].endsWith("/base/?eco=B20"));
    form.reset();
    SetMainBoardView(nullptr);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace
