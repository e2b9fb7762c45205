#include "bookedit/ui/frmlorimel.h"

#include "bookedit/book.h"
#include "core/board.h"
#include "gui/boardview.h"
#include "gui/pieceimages.h"
#include "gui/updown.h"
#include "shell/appstate.h"
#include "shell/parseclamped.h"
#include "shell/platform.h"

#include <QCloseEvent>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QResizeEvent>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTreeWidget>

#include <algorithm>
#include <array>

namespace {

constexpr int TwipsPerPixel = 15;
constexpr int px(int twips)
{
    return twips / TwipsPerPixel;
}

const QString Caption = QStringLiteral("Book Editor");
constexpr const char* StartFen = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq -";
constexpr int EcoTableSize = 2048;

// The tree leaves this much of the window's width to the board and the score controls. Of the
// height it left only what the title bar and borders took, which a Qt window's height excludes.
constexpr int TreeWidthOffTwips = 2040;
constexpr int Margin = 4;
constexpr int RowHeight = 24;
constexpr int StartWidth = 520;
constexpr int StartHeight = 400;

QString fromText(const std::string& text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// "ECO|opening|variation|sub-variation" as the caption's name, or "" when not four fields.
QString openingName(const std::string& entry)
{
    const QStringList fields = fromText(entry).split(QLatin1Char('|'));
    if (fields.size() != 4)
        return {};
    QString name = fields[1];
    if (!fields[2].isEmpty()) {
        name += QStringLiteral(": ") + fields[2];
        if (!fields[3].isEmpty())
            name += QStringLiteral(", ") + fields[3];
    }
    if (!fields[0].isEmpty())
        name += QStringLiteral(" (") + fields[0] + QLatin1Char(')');
    return name;
}

} // namespace

frmLorimel::frmLorimel(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("frmLorimel"));
    setWindowTitle(Caption);
    setMinimumSize(px(MinWidthTwips), px(MinHeightTwips));

    tree = new QTreeWidget(this);
    tree->setObjectName(QStringLiteral("tree"));
    tree->setHeaderHidden(true);
    tree->setColumnCount(1);
    tree->setIconSize(QSize(20, 20));

    imgBoard = new BoardView(this);
    imgBoard->setObjectName(QStringLiteral("imgBoard"));
    lblScore = new QLabel(QStringLiteral("Score"), this);
    lblScore->setObjectName(QStringLiteral("lblScore"));
    txtScore = new QLineEdit(this);
    txtScore->setObjectName(QStringLiteral("txtScore"));
    updnScore = makeUpDown("updnScore", 0, MaxBookWeight, this);
    btnModify = new QPushButton(QStringLiteral("Modify"), this);
    btnModify->setObjectName(QStringLiteral("btnModify"));
    btnExit = new QPushButton(QStringLiteral("Close"), this);
    btnExit->setObjectName(QStringLiteral("btnExit"));
    setEditing(false);

    connect(tree, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* current) {
        if (current)
            tree_NodeClick(current);
    });
    connect(txtScore, &QLineEdit::textChanged, this, [this] { txtScore_Change(); });
    stepBox(updnScore, txtScore);
    connect(btnModify, &QPushButton::clicked, this, [this] { btnModify_Click(); });
    connect(btnExit, &QPushButton::clicked, this, [this] { btnExit_Click(); });

    resize(StartWidth, StartHeight);
}

void frmLorimel::Form_Load()
{
    {
        const QSignalBlocker quiet(tree);
        tree->clear();
    }
    nodeItems.clear();
    NodeFen.clear();
    NodePath.clear();
    NodeLoaded.clear();
    NodeHandle.clear();
    NodeMove.clear();
    NodeWeight.clear();
    NodeCount = 0;
    SelectedNode = -1;
    setEditing(false);
    setWindowTitle(Caption);

    QString folder = App.ProgramFolder;
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    imgBoard->setBoardPicture(folder + QStringLiteral("IMAGES/BOARD.GIF"));
    setWindowIcon(QIcon(folder + QStringLiteral("IMAGES/ICONW.PNG")));
    KessrinInit();
    KessrinLoadEco((folder + QStringLiteral("ECO.TXT")).toStdString(), EcoTableSize);

    RulesBoard board;
    KessrinFen2Board(board, StartFen);
    DrawBookBoard(board);
    BookPath = folder + QStringLiteral("BOOK.BIN");
    std::array<int32_t, MaxBookMoves> handles{};
    std::array<MoveCode, MaxBookMoves> moves{};
    std::array<int32_t, MaxBookMoves> weights{};
    const int n =
        GetBookMoves(board, BookPath.toStdString(), handles.data(), moves.data(), weights.data());
    if (n == 0)
        showMessage(QStringLiteral("Invalid Book File ") + BookPath + QStringLiteral(" !"),
                    MsgButtons::Ok, MsgIcon::Exclamation);
    for (std::size_t i = 0; i < static_cast<std::size_t>(n); ++i)
        AddBookNode(board, handles[i], moves[i], weights[i], -1);
}

void frmLorimel::AddBookNode(const RulesBoard& board, int32_t handle, MoveCode move, int32_t weight,
                             int parent)
{
    if (NodeCount >= MaxNodes)
        return;
    const int image = PieceImageIndex(board.squares[MoveFrom(move)]);
    const QString text =
        fromText(KessrinMove2Alg(board, move)) + QStringLiteral(" (%1)").arg(weight);
    auto* item = parent >= 0 ? new QTreeWidgetItem(nodeItems[static_cast<std::size_t>(parent)])
                             : new QTreeWidgetItem(tree);
    item->setText(0, text);
    item->setIcon(0, QIcon(Pictures.pieces[static_cast<std::size_t>(image)]));
    item->setData(0, Qt::UserRole, NodeCount);
    nodeItems.push_back(item);

    RulesBoard after = board;
    int flags = 0;
    KessrinTryMove(after, flags, move);
    NodeFen.push_back(fromText(KessrinBoard2Fen(after)));
    const QString code = QString::number(move);
    NodePath.push_back(
        parent >= 0 ? NodePath[static_cast<std::size_t>(parent)] + QLatin1Char('|') + code : code);
    NodeLoaded.push_back(false);
    NodeHandle.push_back(handle);
    NodeMove.push_back(move);
    NodeWeight.push_back(weight);
    ++NodeCount;
}

void frmLorimel::tree_NodeClick(QTreeWidgetItem* node)
{
    const int k = node->data(0, Qt::UserRole).toInt();
    if (k < 0 || k >= NodeCount)
        return;
    const auto at = static_cast<std::size_t>(k);
    SelectedNode = k;
    RulesBoard board;
    KessrinFen2Board(board, NodeFen[at].toStdString());
    DrawBookBoard(board);
    if (!NodeLoaded[at]) {
        NodeLoaded[at] = true;
        std::array<int32_t, MaxBookMoves> handles{};
        std::array<MoveCode, MaxBookMoves> moves{};
        std::array<int32_t, MaxBookMoves> weights{};
        const int n = GetBookMoves(board, BookPath.toStdString(), handles.data(), moves.data(),
                                   weights.data());
        for (std::size_t i = 0; i < static_cast<std::size_t>(n); ++i)
            AddBookNode(board, handles[i], moves[i], weights[i], k);
        node->setExpanded(true);
    }
    setEditing(true);
    EditHandle = NodeHandle[at];
    EditMove = NodeMove[at];
    EditWeight = NodeWeight[at];
    {
        const QSignalBlocker quiet(updnScore);
        updnScore->setValue(EditWeight);
    }
    txtScore->setText(QString::number(EditWeight));
    showCaption(NodePath[at]);
}

void frmLorimel::showCaption(const QString& path)
{
    std::vector<MoveCode> line;
    for (const QString& part : path.split(QLatin1Char('|')))
        line.push_back(part.toInt());
    line.push_back(0);
    const std::optional<std::string> entry = KessrinSearchEco(line.data());
    const QString name = entry ? openingName(*entry) : QString();
    setWindowTitle(name.isEmpty() ? Caption : Caption + QStringLiteral(" - ") + name);
}

void frmLorimel::txtScore_Change()
{
    if (SelectedNode < 0)
        return;
    const qint32 value = ParseClamped32(txtScore->text(), -2147483647, 2147483647);
    if (value == EditWeight)
        return;
    EditWeight = ParseClamped32(txtScore->text(), 0, MaxBookWeight);
    {
        const QSignalBlocker quiet(updnScore);
        updnScore->setValue(EditWeight);
    }
    txtScore->setText(QString::number(EditWeight));
}

void frmLorimel::btnModify_Click()
{
    if (SelectedNode < 0)
        return;
    const auto at = static_cast<std::size_t>(SelectedNode);
    NodeHandle[at] = EditHandle;
    NodeMove[at] = EditMove;
    NodeWeight[at] = EditWeight;
    if (PutBookMove(BookPath.toStdString(), EditHandle, EditMove, EditWeight) != 0)
        showMessage(QStringLiteral("Book File ") + BookPath + QStringLiteral(" Updated."),
                    MsgButtons::Ok, MsgIcon::Information);
    else
        showMessage(QStringLiteral("Cannot Open Book File ") + BookPath + QStringLiteral(" !"),
                    MsgButtons::Ok, MsgIcon::Exclamation);
}

void frmLorimel::btnExit_Click()
{
    close();
}

void frmLorimel::DrawBookBoard(const RulesBoard& board)
{
    for (int row = 0; row < 8; ++row)
        for (int column = 4; column < 12; ++column)
            imgBoard->setCellPicture(row * 8 + column - 4,
                                     PieceImageIndex(board.squares[MakeSquare(column, row)]));
}

void frmLorimel::setEditing(bool enabled)
{
    txtScore->setEnabled(enabled);
    updnScore->setEnabled(enabled);
    btnModify->setEnabled(enabled);
}

void frmLorimel::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    const int minWidth = px(MinWidthTwips), minHeight = px(MinHeightTwips);
    if (width() < minWidth || height() < minHeight) {
        resize(std::max(width(), minWidth), std::max(height(), minHeight));
        return;
    }
    const int treeWidth = width() - px(TreeWidthOffTwips);
    tree->setGeometry(0, 0, treeWidth, height());

    // The board and the score controls fill the column right of the tree.
    const int left = treeWidth + Margin;
    const int columnWidth = width() - left - Margin;
    imgBoard->setGeometry(left, Margin, columnWidth, columnWidth);
    int y = Margin + columnWidth + Margin;
    lblScore->setGeometry(left, y, columnWidth, RowHeight);
    y += RowHeight;
    const int updnWidth = updnScore->width();
    txtScore->setGeometry(left, y, columnWidth - updnWidth, RowHeight);
    updnScore->setGeometry(left + columnWidth - updnWidth, y, updnWidth, RowHeight);
    y += RowHeight + Margin;
    btnModify->setGeometry(left, y, columnWidth, RowHeight);
    y += RowHeight + Margin;
    btnExit->setGeometry(left, y, columnWidth, RowHeight);
}

void frmLorimel::closeEvent(QCloseEvent* event)
{
    KessrinUnloadEco();
    QWidget::closeEvent(event);
}
