// The book editor's window over a copy of the program folder's book and opening table.
#include <gtest/gtest.h>

#include "book_fixture.h"
#include "bookedit/ui/frmlorimel.h"
#include "core/board.h"
#include "gui/boardview.h"
#include "shell/appstate.h"
#include "shell/parseclamped.h"
#include "support/fake_platform.h"
#include "support/test_app.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTreeWidget>

#include <memory>

namespace {

class BookEditor : public ::testing::Test {
protected:
    void SetUp() override
    {
        ensureApplication();
        ASSERT_TRUE(folder.isValid());
        for (const char* name : {"BOOK.BIN", "ECO.TXT"})
            ASSERT_TRUE(QFile::copy(testProgramFolder() + QLatin1String(name),
                                    folder.filePath(QLatin1String(name))));
        savedFolder = App.ProgramFolder;
        App.ProgramFolder = folder.path(); // without its "/": the editor appends it
        form = std::make_unique<frmLorimel>();
    }
    void TearDown() override
    {
        form.reset();
        App.ProgramFolder = savedFolder;
    }

    QString bookPath() const { return folder.filePath(QStringLiteral("BOOK.BIN")); }

    // The node whose move is san, among the roots or the children of parent.
    QTreeWidgetItem* node(const char* san, QTreeWidgetItem* parent = nullptr) const
    {
        const QString prefix = QLatin1String(san) + QStringLiteral(" (");
        const int count = parent ? parent->childCount() : form->tree->topLevelItemCount();
        for (int i = 0; i < count; ++i) {
            QTreeWidgetItem* item = parent ? parent->child(i) : form->tree->topLevelItem(i);
            if (item->text(0).startsWith(prefix))
                return item;
        }
        ADD_FAILURE() << "no node " << san;
        return nullptr;
    }
    // Selects the nodes of a line one after the other, as clicks would; the last one's node.
    QTreeWidgetItem* select(std::initializer_list<const char*> line)
    {
        QTreeWidgetItem* current = nullptr;
        for (const char* san : line) {
            current = node(san, current);
            if (!current)
                return nullptr;
            form->tree->setCurrentItem(current);
        }
        return current;
    }

    FakePlatform fake;
    QTemporaryDir folder;
    QString savedFolder;
    std::unique_ptr<frmLorimel> form;
};

TEST_F(BookEditor, StartsWithTheBooksFirstMovesOverTheStartPosition)
{
    form->Form_Load();
    EXPECT_TRUE(fake.messages.empty());
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Book Editor"));
    EXPECT_EQ(form->BookPath, folder.path() + QStringLiteral("/BOOK.BIN"));

    RulesBoard start;
    KessrinFen2Board(start, StartFen);
    std::array<int32_t, MaxBookMoves> handles{}, weights{};
    std::array<MoveCode, MaxBookMoves> moves{};
    const int n =
        GetBookMoves(start, bookPath().toStdString(), handles.data(), moves.data(), weights.data());
    ASSERT_GT(n, 10);
    ASSERT_EQ(form->tree->topLevelItemCount(), n);
    EXPECT_EQ(form->NodeCount, n);
    for (int i = 0; i < n; ++i) {
        const auto k = static_cast<std::size_t>(i);
        EXPECT_EQ(form->tree->topLevelItem(i)->text(0),
                  QString::fromStdString(KessrinMove2Alg(start, moves[k])) +
                      QStringLiteral(" (%1)").arg(weights[k]));
    }

    // White at the bottom: e1 is image 60, e8 image 4.
    EXPECT_EQ(form->imgBoard->cellPicture(60), PieceImageIndex(8));
    EXPECT_EQ(form->imgBoard->cellPicture(4), PieceImageIndex(16));
    EXPECT_EQ(form->imgBoard->cellPicture(36), 0);
    EXPECT_FALSE(form->txtScore->isEnabled());
    EXPECT_FALSE(form->btnModify->isEnabled());
}

TEST_F(BookEditor, AMissingBookIsReportedAndLeavesAnEmptyTreeThatDoesNothing)
{
    QFile::remove(bookPath());
    form->Form_Load();
    ASSERT_EQ(fake.messages.size(), 1u);
    EXPECT_EQ(fake.messages[0].text,
              QStringLiteral("Invalid Book File ") + bookPath() + QStringLiteral(" !"));
    EXPECT_EQ(fake.messages[0].icon, MsgIcon::Exclamation);
    EXPECT_EQ(form->tree->topLevelItemCount(), 0);
    form->txtScore->setText(QStringLiteral("70000"));
    form->btnModify_Click();
    EXPECT_EQ(fake.messages.size(), 1u);
    EXPECT_EQ(form->txtScore->text(), QStringLiteral("70000")); // nothing selected, no clamping
}

TEST_F(BookEditor, RepliesAreAddedOnTheFirstSelectionOnlyAndNameTheLine)
{
    form->Form_Load();
    const int roots = form->NodeCount;
    QTreeWidgetItem* e4 = select({"e4"});
    ASSERT_TRUE(e4);
    const int afterFirst = form->NodeCount;
    EXPECT_GT(e4->childCount(), 5);
    EXPECT_EQ(afterFirst, roots + e4->childCount());
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Book Editor - King's Pawn (B00)"));
    EXPECT_TRUE(form->txtScore->isEnabled());
    EXPECT_TRUE(form->updnScore->isEnabled());
    EXPECT_TRUE(form->btnModify->isEnabled());
    // After 1.e4 the pawn stands on e4 (image 36) and e2 (image 52) is empty.
    EXPECT_EQ(form->imgBoard->cellPicture(36), PieceImageIndex(13));
    EXPECT_EQ(form->imgBoard->cellPicture(52), 0);

    select({"d4"});
    form->tree_NodeClick(e4);
    form->tree_NodeClick(e4);
    EXPECT_EQ(e4->childCount(), afterFirst - roots);
    EXPECT_EQ(form->NodeCount, afterFirst + node("d4")->childCount());

    // Three levels down, a name with variation and sub-variation.
    QTreeWidgetItem* nf3 = select({"Nc3", "c5", "Nf3"});
    ASSERT_TRUE(nf3);
    EXPECT_EQ(form->windowTitle(),
              QStringLiteral("Book Editor - Van Geet: Sicilian Variation, 2.Nf3 (A00)"));
    const auto k = static_cast<std::size_t>(form->SelectedNode);
    EXPECT_EQ(form->NodePath[k].split(QLatin1Char('|')).size(), 3);
    RulesBoard played;
    KessrinFen2Board(played, StartFen);
    playMoves(played, "Nc3 c5 Nf3");
    EXPECT_EQ(form->NodeFen[k].toStdString(), KessrinBoard2Fen(played));
}

TEST_F(BookEditor, ALineTheOpeningTableDoesNotNameLeavesThePlainCaption)
{
    RulesBoard start;
    KessrinFen2Board(start, StartFen);
    RulesBoard afterA3 = start;
    playMoves(afterA3, "a3");
    writeBook(bookPath().toStdString(), {{start, "a2a3", 3}, {afterA3, "h7h6", 2}});
    form->Form_Load();
    QTreeWidgetItem* a3 = select({"a3"});
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Book Editor - Anderssen Opening (A00)"));
    ASSERT_EQ(a3->childCount(), 1);
    select({"a3", "h6"});
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Book Editor"));
}

TEST_F(BookEditor, TheScoreBoxKeepsTheWeightWithinItsRange)
{
    form->Form_Load();
    select({"c4"});
    struct Row {
        const char* typed;
        const char* shown;
    };
    // Text that is no number reads as 0; it is rewritten only when that changes the weight.
    for (const Row& row :
         {Row{"70000", "65535"}, Row{"-5", "0"}, Row{"12.5", "12"}, Row{"abc", "0"}, Row{"x", "x"},
          Row{"99999999999", "65535"}, Row{"300", "300"}}) {
        form->txtScore->setText(QLatin1String(row.typed));
        EXPECT_EQ(form->txtScore->text(), QLatin1String(row.shown)) << row.typed;
        EXPECT_EQ(form->EditWeight, ParseClamped32(form->txtScore->text(), 0, 65535)) << row.typed;
    }
    form->updnScore->stepUp();
    EXPECT_EQ(form->txtScore->text(), QStringLiteral("301"));
    EXPECT_EQ(form->EditWeight, 301);
}

// The first Modify finds no book and keeps the weight; the second one writes it.
TEST_F(BookEditor, ModifyWritesTheWeightButTheNodeKeepsItsCaption)
{
    form->Form_Load();
    QTreeWidgetItem* c4 = select({"c4"});
    const QString caption = c4->text(0);
    const QString title = form->windowTitle();
    form->txtScore->setText(QStringLiteral("777"));
    ASSERT_TRUE(QFile::rename(bookPath(), bookPath() + QStringLiteral(".away")));
    form->btnModify_Click();
    EXPECT_EQ(fake.lastMessage(),
              QStringLiteral("Cannot Open Book File ") + bookPath() + QStringLiteral(" !"));
    EXPECT_EQ(fake.messages.back().icon, MsgIcon::Exclamation);

    ASSERT_TRUE(QFile::rename(bookPath() + QStringLiteral(".away"), bookPath()));
    form->btnModify_Click();
    ASSERT_EQ(fake.messages.size(), 2u);
    EXPECT_EQ(fake.lastMessage(),
              QStringLiteral("Book File ") + bookPath() + QStringLiteral(" Updated."));
    EXPECT_EQ(fake.messages.back().icon, MsgIcon::Information);
    EXPECT_EQ(c4->text(0), caption);
    EXPECT_EQ(form->windowTitle(), title);

    RulesBoard start;
    KessrinFen2Board(start, StartFen);
    std::array<int32_t, MaxBookMoves> handles{}, weights{};
    std::array<MoveCode, MaxBookMoves> moves{};
    const int n =
        GetBookMoves(start, bookPath().toStdString(), handles.data(), moves.data(), weights.data());
    const int index = form->tree->indexOfTopLevelItem(c4);
    ASSERT_LT(index, n);
    EXPECT_EQ(weights[static_cast<std::size_t>(index)], 777);

    select({"d4"});
    form->tree->setCurrentItem(c4);
    EXPECT_EQ(form->txtScore->text(), QStringLiteral("777"));
}

TEST_F(BookEditor, TheWindowSpringsBackToItsMinimumAndTheTreeFollowsItsWidth)
{
    form->show();
    form->resize(100, 100);
    EXPECT_EQ(form->size(), QSize(frmLorimel::MinWidthTwips / 15, frmLorimel::MinHeightTwips / 15));
    form->resize(600, 450);
    EXPECT_EQ(form->tree->width(), 600 - 2040 / 15);
    EXPECT_EQ(form->tree->height(), 450);
}

TEST_F(BookEditor, NodesBeyondTheLimitAreLeftOut)
{
    writeBook(bookPath().toStdString(), {});
    form->Form_Load();
    RulesBoard start;
    KessrinFen2Board(start, StartFen);
    const MoveCode e4 = KessrinAlg2Move(start, "e4");
    for (int i = 0; i < frmLorimel::MaxNodes + 3; ++i)
        form->AddBookNode(start, i, e4, 1, i % 2 == 0 ? -1 : 0);
    EXPECT_EQ(form->NodeCount, frmLorimel::MaxNodes);
    EXPECT_EQ(static_cast<int>(form->NodeFen.size()), frmLorimel::MaxNodes);
    EXPECT_EQ(form->tree->topLevelItemCount() + form->tree->topLevelItem(0)->childCount(),
              frmLorimel::MaxNodes);
}

} // namespace
