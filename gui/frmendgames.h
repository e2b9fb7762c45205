// The puzzle list of a series: the titles, a small preview board of the selected puzzle, and
// OK to start it.
#pragma once

#include <QDialog>
#include <QStringList>

#include <array>

class QLabel;
class QListWidget;
class QPushButton;

class frmEndgames : public QDialog {
    Q_OBJECT
public:
    explicit frmEndgames(QWidget* parent = nullptr);

    // Caption, list and selection; the selected puzzle is previewed.
    void Form_Load(const QString& caption, const QStringList& titles, int selected);
    // The index of the puzzle to start, or -1 while none was confirmed.
    int choice() const { return chosen; }
    // The preview picture (0..12) square image i shows.
    int previewPicture(int image) const;

    QListWidget* lstGames = nullptr;
    QLabel* imgBoard = nullptr;
    std::array<QLabel*, 64> imgSquares{};
    QLabel* imgIcon = nullptr;
    QLabel* lblTitle = nullptr;
    QPushButton* btnConfirm = nullptr;
    QPushButton* btnCancel = nullptr;

    void lstGames_Click();
    void btnConfirm_Click();
    void btnCancel_Click();

private:
    void showPreview(const std::array<int, 64>& pictures);

    bool loaded = false;
    int chosen = -1;
};

// Runs the list over owner; the chosen index or -1.
int ShowEndgamesDialog(QWidget* owner, const QString& caption, const QStringList& titles,
                       int selected);
