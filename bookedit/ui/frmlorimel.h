// The book editor's one window: the opening book as a tree of moves beside a board, and the
// weight of the selected move, which Modify writes back to the book.
#pragma once

#include "kessrin.h"

#include <QString>
#include <QWidget>

#include <cstdint>
#include <vector>

class BoardView;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTreeWidget;
class QTreeWidgetItem;

class frmLorimel : public QWidget {
    Q_OBJECT
public:
    // At most this many tree nodes are made; further ones are silently left out.
    static constexpr int MaxNodes = 32767;
    // The smallest window, in twips (15 to a pixel).
    static constexpr int MinWidthTwips = 4095;
    static constexpr int MinHeightTwips = 3780;

    explicit frmLorimel(QWidget* parent = nullptr);

    // Start-up: the opening table, the start position and the book's first moves as the roots.
    void Form_Load();
    // Shows the node's position, adds its book replies on its first selection, and makes its
    // weight the one being edited.
    void tree_NodeClick(QTreeWidgetItem* node);
    // Keeps the typed weight within 0..65535.
    void txtScore_Change();
    // Writes the edited weight to the book.
    void btnModify_Click();
    void btnExit_Click();
    // Adds one node for a book move on board, under node `parent` (0-based), or as a root for -1.
    void AddBookNode(const RulesBoard& board, int32_t handle, MoveCode move, int32_t weight,
                     int parent);
    // Shows a position on the board, White at the bottom.
    void DrawBookBoard(const RulesBoard& board);

    QTreeWidget* tree = nullptr;
    BoardView* imgBoard = nullptr; // the board picture with the 64 square images over it
    QLabel* lblScore = nullptr;
    QLineEdit* txtScore = nullptr;
    QSpinBox* updnScore = nullptr;
    QPushButton* btnModify = nullptr;
    QPushButton* btnExit = nullptr;

    QString BookPath;
    int NodeCount = 0;
    int SelectedNode = -1;
    int32_t EditHandle = 0;
    MoveCode EditMove = 0;
    int32_t EditWeight = 0;

    // Per node, in creation order.
    std::vector<QString> NodeFen;
    std::vector<QString> NodePath;
    std::vector<bool> NodeLoaded;
    std::vector<int32_t> NodeHandle;
    std::vector<MoveCode> NodeMove;
    std::vector<int32_t> NodeWeight;

protected:
    void resizeEvent(QResizeEvent* event) override; // Form_Resize
    void closeEvent(QCloseEvent* event) override;   // Form_Unload

private:
    void setEditing(bool enabled);
    void showCaption(const QString& path);

    std::vector<QTreeWidgetItem*> nodeItems;
};
