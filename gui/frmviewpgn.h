// The "View Text" window: the automatic save file as text, with a button to copy it.
#pragma once

#include <QDialog>

class QPlainTextEdit;
class QPushButton;

class frmViewPgn : public QDialog {
    Q_OBJECT
public:
    // Builds the window and loads the automatic save file (Form_Load).
    explicit frmViewPgn(QWidget* parent = nullptr);

    // Reads the automatic save file into the window; an unreadable file leaves it empty.
    void Form_Load();
    // The text the window holds: every line of the file followed by "\r\n".
    const QString& text() const { return pgnText; }

    QPlainTextEdit* txt = nullptr;
    QPushButton* btnCopy = nullptr;
    QPushButton* btnExit = nullptr;

private:
    void btnCopy_Click();

    QString pgnText;
};
