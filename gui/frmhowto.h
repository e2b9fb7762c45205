// "Tip of the Day": one of fifteen tips, Prev and Next through them, and whether the window opens
// at start-up.
#pragma once

#include <QDialog>

class QCheckBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;

class frmHowTo : public QDialog {
    Q_OBJECT
public:
    explicit frmHowTo(QWidget* parent = nullptr);

    QLabel* lblDoYouKnow = nullptr;
    QPlainTextEdit* txtTips = nullptr;
    QCheckBox* chkShowHowTo = nullptr;
    QPushButton* btnPrev = nullptr;
    QPushButton* btnNext = nullptr;
    QPushButton* btnCancel = nullptr;

protected:
    void done(int result) override;

private:
    void step(int by);
};

// Opens the window over parent and waits until it closes.
void ShowHowTo(QWidget* parent);
