// The games of a PGN file that holds several, to pick the one to open.
#pragma once

#include "files/gameindex.h"

#include <QDialog>

#include <vector>

class QLineEdit;
class QPushButton;
class QSortFilterProxyModel;
class QTableView;

class frmGameList : public QDialog {
    Q_OBJECT
public:
    frmGameList(const std::vector<GameIndexEntry>& games, QWidget* parent = nullptr);
    ~frmGameList() override;

    // The index into the games of the one chosen, or -1 while none is.
    int choice() const { return chosen; }

    QLineEdit* txtFilter = nullptr;
    QTableView* grdGames = nullptr;
    QPushButton* btnOpen = nullptr;
    QPushButton* btnCancel = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void txtFilter_Change();
    void btnOpen_Click();
    void selectFirstRow();

    const std::vector<GameIndexEntry>& entries;
    QSortFilterProxyModel* sorted = nullptr;
    int chosen = -1;
};
