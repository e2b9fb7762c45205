#include "shell/view.h"

namespace {

// Shows nothing and answers as an empty window would.
class NoView final : public View {
public:
    void setCommandEnabled(const QString&, bool, int) override {}
    void setCommandChecked(const QString&, bool, int) override {}
    bool commandChecked(const QString&) const override { return false; }
    void setCommandCheckable(const QString&, bool) override {}
    void tickOnly(const QString&, int) override {}
    void setMenuEnabled(const QString&, bool) override {}

    void resetMoveList() override {}
    int moveRowCount() const override { return 0; }
    void insertMoveRow(int, const QString&) override {}
    void removeMoveRow(int) override {}
    QString moveRowText(int) const override { return {}; }
    void setMoveRowText(int, const QString&) override {}
    void selectMoveRow(int) override {}
    int selectedMoveRow() const override { return -1; }

    QString commentText() const override { return {}; }
    void setCommentText(const QString&) override {}
    int annotationIndex() const override { return 0; }
    void setAnnotationIndex(int) override {}
    void setAnnotationEnabled(bool) override {}

    QString typedMove() const override { return {}; }
    void clearTypedMove() override {}
    void focusMoveBox() override {}

    void setHeaderText(HeaderLabel, const QString&) override {}
    void setClockText(bool, ClockField, const QString&) override {}
    void setPlayerPictures(PlayerPicture, PlayerPicture) override {}
    void setWindowCaption(const QString&) override {}
    void setWindowIconFile(const QString&) override {}
    void setStatusText(const QString&, const QString&) override {}
    void refreshWindow() override {}

    bool hasBoard() const override { return false; }
    int squarePicture(int) const override { return 0; }
    void setSquarePicture(int, int) override {}
    void raiseSquare(int, int) override {}
    void repaintBoard() override {}
    void showGlidingPiece(int, int, int, int, int) override {}
    void hideGlidingPiece() override {}
    bool setBoardPicture(const QString&) override { return false; }
    void setSquareCaptions(const std::array<QString, 64>&) override {}
    void setSquareCaptionsShown(bool) override {}

    void showNewGameDialog() override {}
    void showLevelDialog() override {}
    int askPromotionPiece(int) override { return 0; }
    void showGameText() override {}
    int chooseGame(const std::vector<GameIndexEntry>&) override { return -1; }
    bool reportProgress(const QString&, qint64, qint64) override { return true; }

    void appendThinking(const QString&) override {}
    void clearThinking() override {}
    void closeThinking() override {}
    void showThinking() override {}
    void showEngineSettings() override {}

    int choosePuzzle(const QString&, const QStringList&, int) override { return -1; }
};

NoView nothing;
View* current = nullptr;

} // namespace

View& view()
{
    return current ? *current : nothing;
}

void setView(View* instance)
{
    current = instance;
}
