#include "gui/frmgamelist.h"

#include "gui/topmost.h"

#include <QAbstractTableModel>
#include <QApplication>
#include <QBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QTableView>

namespace {

enum Column { Number, White, Black, Result, Event, Date, ColumnCount };

// The games as table rows, read straight from the index without copying it.
class GameListModel : public QAbstractTableModel {
public:
    GameListModel(const std::vector<GameIndexEntry>& games, QObject* parent)
        : QAbstractTableModel(parent), games(games)
    {
    }

    int rowCount(const QModelIndex& parent) const override
    {
        return parent.isValid() ? 0 : static_cast<int>(games.size());
    }
    int columnCount(const QModelIndex& parent) const override
    {
        return parent.isValid() ? 0 : ColumnCount;
    }

    QVariant data(const QModelIndex& index, int role) const override
    {
        if (role != Qt::DisplayRole || !index.isValid())
            return {};
        const GameIndexEntry& game = games[static_cast<std::size_t>(index.row())];
        switch (index.column()) {
        case Number:
            return game.number; // a number, so that the column sorts by value
        case White:
            return game.white;
        case Black:
            return game.black;
        case Result:
            return game.result;
        case Event:
            return game.event;
        default:
            return game.date;
        }
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
            return {};
        static const char* const titles[] = {"Number", "White", "Black", "Result", "Event", "Date"};
        return QString::fromLatin1(titles[section]);
    }

private:
    const std::vector<GameIndexEntry>& games;
};

} // namespace

frmGameList::frmGameList(const std::vector<GameIndexEntry>& games, QWidget* parent)
    : QDialog(parent), entries(games)
{
    setObjectName(QStringLiteral("frmGameList"));
    setWindowTitle(QStringLiteral("Open"));
    resize(720, 460);

    auto* layout = new QVBoxLayout(this);
    auto* filterRow = new QHBoxLayout;
    auto* filterLabel = new QLabel(QStringLiteral("&Filter:"), this);
    txtFilter = new QLineEdit(this);
    txtFilter->setObjectName(QStringLiteral("txtFilter"));
    txtFilter->setClearButtonEnabled(true);
    filterLabel->setBuddy(txtFilter);
    filterRow->addWidget(filterLabel);
    filterRow->addWidget(txtFilter, 1);
    layout->addLayout(filterRow);

    sorted = new QSortFilterProxyModel(this);
    sorted->setSourceModel(new GameListModel(entries, this));
    sorted->setFilterKeyColumn(-1);
    sorted->setFilterCaseSensitivity(Qt::CaseInsensitive);
    sorted->setSortCaseSensitivity(Qt::CaseInsensitive);

    grdGames = new QTableView(this);
    grdGames->setObjectName(QStringLiteral("grdGames"));
    grdGames->setModel(sorted);
    grdGames->setSelectionBehavior(QAbstractItemView::SelectRows);
    grdGames->setSelectionMode(QAbstractItemView::SingleSelection);
    grdGames->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grdGames->setSortingEnabled(true);
    grdGames->sortByColumn(Number, Qt::AscendingOrder);
    grdGames->verticalHeader()->hide();
    grdGames->horizontalHeader()->setStretchLastSection(true);
    grdGames->horizontalHeader()->setSectionResizeMode(Event, QHeaderView::Stretch);
    grdGames->setWordWrap(false);
    layout->addWidget(grdGames, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    btnOpen = new QPushButton(QStringLiteral("Open"), this);
    btnOpen->setObjectName(QStringLiteral("btnOpen"));
    btnOpen->setDefault(true);
    btnCancel = new QPushButton(QStringLiteral("Cancel"), this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    buttons->addWidget(btnOpen);
    buttons->addWidget(btnCancel);
    layout->addLayout(buttons);

    connect(txtFilter, &QLineEdit::textChanged, this, &frmGameList::txtFilter_Change);
    connect(btnOpen, &QPushButton::clicked, this, &frmGameList::btnOpen_Click);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(grdGames, &QTableView::activated, this, &frmGameList::btnOpen_Click);
    txtFilter->installEventFilter(this);

    selectFirstRow();
    txtFilter->setFocus();
    applyTopMost(*this);
}

frmGameList::~frmGameList() = default;

void frmGameList::selectFirstRow()
{
    const QModelIndex first = sorted->index(0, 0);
    grdGames->setCurrentIndex(first);
    btnOpen->setEnabled(first.isValid());
}

void frmGameList::txtFilter_Change()
{
    sorted->setFilterFixedString(txtFilter->text());
    selectFirstRow();
}

void frmGameList::btnOpen_Click()
{
    const QModelIndex current = grdGames->currentIndex();
    if (!current.isValid())
        return;
    chosen = sorted->mapToSource(current).row();
    accept();
}

bool frmGameList::eventFilter(QObject* watched, QEvent* event)
{
    // The arrow keys move through the list while the filter box has the focus.
    if (watched == txtFilter && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_PageUp ||
            key == Qt::Key_PageDown) {
            QApplication::sendEvent(grdGames, event);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
