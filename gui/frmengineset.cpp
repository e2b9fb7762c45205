#include "gui/frmengineset.h"

#include "engine/analysis.h"
#include "engine/engineload.h"
#include "engine/enginestate.h"
#include "gui/frmmain.h"
#include "gui/topmost.h"
#include "gui/updown.h"
#include "shell/settings.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

template <typename Control> Control* named(Control* control, const char* name)
{
    control->setObjectName(QString::fromLatin1(name));
    return control;
}

QLabel* makeLabel(const char* name, const char* text, QWidget* parent)
{
    return named(new QLabel(QString::fromLatin1(text), parent), name);
}

QPushButton* makeButton(const char* name, const char* text, QWidget* parent)
{
    return named(new QPushButton(QString::fromLatin1(text), parent), name);
}

QComboBox* makeList(const char* name, std::initializer_list<const char*> entries, QWidget* parent)
{
    auto* list = named(new QComboBox(parent), name);
    for (const char* entry : entries)
        list->addItem(QString::fromLatin1(entry));
    return list;
}

QLineEdit* makeScoreBox(const char* name, QWidget* parent)
{
    auto* box = named(new QLineEdit(parent), name);
    box->setFixedWidth(64);
    box->setAlignment(Qt::AlignRight);
    return box;
}

// A stored code beyond the list's entries shows as no selection, and OK keeps the code.
void SelectIndex(QComboBox* list, int index)
{
    list->setCurrentIndex(index < list->count() ? index : -1);
}

} // namespace

frmEngineSet::frmEngineSet(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmEngineSet"));
    setWindowTitle(QStringLiteral("Engine Settings"));
    setModal(true);
    auto* page = new QVBoxLayout(this);

    frmOptions = named(new QGroupBox(QStringLiteral("Options"), this), "frmOptions");
    auto* grid = new QGridLayout(frmOptions);
    lblHash = makeLabel("lblHash", "Memory", frmOptions);
    cmbHash = makeList("cmbHash", {"16MB", "32MB", "64MB", "128MB", "256MB", "512MB", "1024MB"},
                       frmOptions);
    lblThreads = makeLabel("lblThreads", "Thread", frmOptions);
    cmbThreads = makeList("cmbThreads", {"1", "2", "4", "8", "16", "32"}, frmOptions);
    lblRandomness = makeLabel("lblRandomness", "Randomness", frmOptions);
    cmbRandomness = makeList("cmbRandomness", {"None", "Little", "Medium", "Much"}, frmOptions);
    lblStyle = makeLabel("lblStyle", "Style", frmOptions);
    cmbStyle = makeList("cmbStyle", {"Solid", "Normal", "Risky"}, frmOptions);
    grid->addWidget(lblHash, 0, 0);
    grid->addWidget(cmbHash, 0, 1);
    grid->addWidget(lblThreads, 0, 2);
    grid->addWidget(cmbThreads, 0, 3);
    grid->addWidget(lblRandomness, 1, 0);
    grid->addWidget(cmbRandomness, 1, 1);
    grid->addWidget(lblStyle, 1, 2);
    grid->addWidget(cmbStyle, 1, 3);

    chkUseBook = named(new QCheckBox(QStringLiteral("Book"), frmOptions), "chkUseBook");
    txtBookFile = named(new QLineEdit(frmOptions), "txtBookFile");
    btnSelectFile = makeButton("btnSelectFile", "Select", frmOptions);
    btnResetFile = makeButton("btnResetFile", "Reset", frmOptions);
    chkUseEgtb = named(new QCheckBox(QStringLiteral("EGTB"), frmOptions), "chkUseEgtb");
    txtEgtbPath = named(new QLineEdit(frmOptions), "txtEgtbPath");
    btnSelectPath = makeButton("btnSelectPath", "Select", frmOptions);
    btnResetPath = makeButton("btnResetPath", "Reset", frmOptions);
    const auto pathRow = [grid](int row, QWidget* check, QWidget* text, QWidget* select,
                                QWidget* reset) {
        auto* line = new QHBoxLayout;
        line->addWidget(text, 1);
        line->addWidget(select);
        line->addWidget(reset);
        grid->addWidget(check, row, 0);
        grid->addLayout(line, row, 1, 1, 3);
    };
    pathRow(2, chkUseBook, txtBookFile, btnSelectFile, btnResetFile);
    pathRow(3, chkUseEgtb, txtEgtbPath, btnSelectPath, btnResetPath);

    lblResignScore = makeLabel("lblResignScore", "Resign Score", frmOptions);
    txtResignScore = makeScoreBox("txtResignScore", frmOptions);
    updnResignScore =
        makeUpDown("updnResignScore", ResignScoreMin, ResignScoreMax, frmOptions, ResignScoreStep);
    lblDrawScore = makeLabel("lblDrawScore", "Draw Score", frmOptions);
    txtDrawScore = makeScoreBox("txtDrawScore", frmOptions);
    updnDrawScore =
        makeUpDown("updnDrawScore", DrawScoreMin, DrawScoreMax, frmOptions, DrawScoreStep);
    const auto scoreBox = [](QWidget* text, QWidget* updn) {
        auto* line = new QHBoxLayout;
        line->setSpacing(0);
        line->addWidget(text);
        line->addWidget(updn);
        line->addStretch(1);
        return line;
    };
    grid->addWidget(lblResignScore, 4, 0);
    grid->addLayout(scoreBox(txtResignScore, updnResignScore), 4, 1);
    grid->addWidget(lblDrawScore, 4, 2);
    grid->addLayout(scoreBox(txtDrawScore, updnDrawScore), 4, 3);

    btnLoadSlave = makeButton("btnLoadSlave", "Load Slave", frmOptions);
    chkSlaveWhite =
        named(new QCheckBox(QStringLiteral("Slave White"), frmOptions), "chkSlaveWhite");
    grid->addWidget(btnLoadSlave, 5, 0, 1, 2);
    grid->addWidget(chkSlaveWhite, 5, 2, 1, 2);
    page->addWidget(frmOptions);

    frmUci = named(new QGroupBox(QStringLiteral("Debug UCI Engine"), this), "frmUci");
    auto* console = new QGridLayout(frmUci);
    chkEngineLog = named(new QCheckBox(QStringLiteral("Log File"), frmUci), "chkEngineLog");
    txtLogFile = named(new QLineEdit(frmUci), "txtLogFile");
    btnSelectLog = makeButton("btnSelectLog", "Select", frmUci);
    btnOpenLog = makeButton("btnOpenLog", "View", frmUci);
    txtCommand = named(new QLineEdit(frmUci), "txtCommand");
    btnSend = makeButton("btnSend", "Send", frmUci);
    lstReceived = named(new QListWidget(frmUci), "lstReceived");
    lstReceived->setUniformItemSizes(true);
    console->addWidget(chkEngineLog, 0, 0);
    console->addWidget(txtLogFile, 0, 1);
    console->addWidget(btnSelectLog, 0, 2);
    console->addWidget(btnOpenLog, 0, 3);
    console->addWidget(txtCommand, 1, 0, 1, 3);
    console->addWidget(btnSend, 1, 3);
    console->addWidget(lstReceived, 2, 0, 1, 4);
    page->addWidget(frmUci, 1);

    auto* buttons = new QHBoxLayout;
    btnConfirm = makeButton("btnConfirm", "OK", this);
    btnCancel = makeButton("btnCancel", "Cancel", this);
    buttons->addStretch(1);
    buttons->addWidget(btnConfirm);
    buttons->addWidget(btnCancel);
    page->addLayout(buttons);
    resize(520, 560);
    // Return in the command line sends the command; it must press no other button.
    for (QPushButton* button : findChildren<QPushButton*>())
        button->setAutoDefault(false);
    txtCommand->setFocus();

    connect(btnSelectFile, &QPushButton::clicked, this, [this] { btnSelectFile_Click(); });
    connect(btnResetFile, &QPushButton::clicked, this, [this] { btnResetFile_Click(); });
    connect(btnSelectPath, &QPushButton::clicked, this, [this] { btnSelectPath_Click(); });
    connect(btnResetPath, &QPushButton::clicked, this, [this] { btnResetPath_Click(); });
    connect(txtResignScore, &QLineEdit::textChanged, this, [this] { txtResignScore_Change(); });
    connect(txtDrawScore, &QLineEdit::textChanged, this, [this] { txtDrawScore_Change(); });
    stepBox(updnResignScore, txtResignScore);
    stepBox(updnDrawScore, txtDrawScore);
    connect(chkSlaveWhite, &QCheckBox::clicked, this, [this] { chkSlaveWhite_Click(); });
    connect(btnLoadSlave, &QPushButton::clicked, this, [this] { btnLoadSlave_Click(); });
    connect(btnSelectLog, &QPushButton::clicked, this, [this] { btnSelectLog_Click(); });
    connect(btnOpenLog, &QPushButton::clicked, this, [this] { btnOpenLog_Click(); });
    connect(btnSend, &QPushButton::clicked, this, [this] { btnSend_Click(); });
    connect(txtCommand, &QLineEdit::returnPressed, this, [this] { btnSend_Click(); });
    connect(btnConfirm, &QPushButton::clicked, this, [this] { btnConfirm_Click(); });
    connect(btnCancel, &QPushButton::clicked, this, [this] { btnCancel_Click(); });
}

void frmEngineSet::Form_Load()
{
    Loaded = false;
    chkEngineLog->setChecked(Cfg.EngineLog);
    txtLogFile->setText(Cfg.LogFile);
    chkUseBook->setChecked(Cfg.UseBook);
    chkUseEgtb->setChecked(Cfg.UseEgtb);
    txtBookFile->setText(Cfg.BookFiles);
    txtEgtbPath->setText(Cfg.EgtbPaths);
    SelectIndex(cmbHash, Cfg.Hash);
    SelectIndex(cmbThreads, Cfg.Threads);
    SelectIndex(cmbRandomness, Cfg.Randomness);
    SelectIndex(cmbStyle, Cfg.Style);
    resignScore = Cfg.ResignScore;
    drawScore = Cfg.DrawScore;
    txtResignScore->setText(QString::number(resignScore));
    txtDrawScore->setText(QString::number(drawScore));
    {
        const QSignalBlocker quietResign(updnResignScore);
        const QSignalBlocker quietDraw(updnDrawScore);
        updnResignScore->setValue(resignScore);
        updnDrawScore->setValue(drawScore);
    }
    chkSlaveWhite->setChecked(SlaveLoaded() && Engine.SlaveWhite);
    ShowSlave();
    Loaded = true;
    applyTopMost(*this);
}

void frmEngineSet::ShowSlave()
{
    chkSlaveWhite->setEnabled(SlaveLoaded());
    btnLoadSlave->setText(SlaveLoaded() ? QStringLiteral("Unload Slave")
                                        : QStringLiteral("Load Slave"));
}

void frmEngineSet::Form_Activate()
{
    RunEngineConsole(console, *this);
}

void frmEngineSet::btnSelectFile_Click()
{
    if (const QString path = ChooseBookFile(); !path.isEmpty())
        txtBookFile->setText(path);
}

void frmEngineSet::btnResetFile_Click()
{
    chkUseBook->setChecked(true);
    txtBookFile->clear();
}

void frmEngineSet::btnSelectPath_Click()
{
    if (const QString path = ChooseEgtbFolder(txtEgtbPath->text()); !path.isEmpty())
        txtEgtbPath->setText(path);
}

void frmEngineSet::btnResetPath_Click()
{
    chkUseEgtb->setChecked(true);
    txtEgtbPath->clear();
}

void frmEngineSet::ScoreChanged(QLineEdit* box, QSpinBox* updn, int& copy, int low, int high)
{
    if (Loaded)
        acceptBoxText(box, updn, copy, low, high);
}

void frmEngineSet::txtResignScore_Change()
{
    ScoreChanged(txtResignScore, updnResignScore, resignScore, ResignScoreMin, ResignScoreMax);
}

void frmEngineSet::txtDrawScore_Change()
{
    ScoreChanged(txtDrawScore, updnDrawScore, drawScore, DrawScoreMin, DrawScoreMax);
}

void frmEngineSet::chkSlaveWhite_Click()
{
    if (!SlaveLoaded())
        return;
    Engine.SlaveWhite = chkSlaveWhite->isChecked();
    Engine.SlaveBlack = !Engine.SlaveWhite;
}

void frmEngineSet::btnLoadSlave_Click()
{
    ToggleSlave();
    chkSlaveWhite->setChecked(false);
    ShowSlave();
}

void frmEngineSet::btnSelectLog_Click()
{
    if (const QString path = ChooseLogFile(); !path.isEmpty())
        txtLogFile->setText(path);
}

void frmEngineSet::btnOpenLog_Click()
{
    ViewEngineLog(txtLogFile->text());
}

void frmEngineSet::btnSend_Click()
{
    const QString text = txtCommand->text();
    if (text.isEmpty())
        return;
    txtCommand->clear();
    SendConsoleCommand(console, text);
}

void frmEngineSet::btnConfirm_Click()
{
    EngineSettingsValues values;
    values.engineLog = chkEngineLog->isChecked();
    values.logFile = txtLogFile->text();
    values.useBook = chkUseBook->isChecked();
    values.bookFiles = txtBookFile->text();
    values.useEgtb = chkUseEgtb->isChecked();
    values.egtbPaths = txtEgtbPath->text();
    values.hashIndex = cmbHash->currentIndex();
    values.threadsIndex = cmbThreads->currentIndex();
    values.randomness = cmbRandomness->currentIndex();
    values.style = cmbStyle->currentIndex();
    values.resignScore = resignScore;
    values.drawScore = drawScore;
    ConfirmEngineSettings(values);
    accept();
}

void frmEngineSet::btnCancel_Click()
{
    reject();
}

void frmEngineSet::addReceived(const QString& line)
{
    lstReceived->addItem(line);
    lstReceived->setCurrentRow(lstReceived->count() - 1);
}

void frmEngineSet::engineEnded()
{
    reject();
}

void frmEngineSet::done(int result)
{
    // Form_Unload: the console loop ends.
    console.Listening = false;
    QDialog::done(result);
}

void ShowEngineSetDialog(QWidget* owner)
{
    frmEngineSet dialog(owner ? owner : MainForm);
    dialog.Form_Load();
    // The console loop is the dialog's modal loop: it reads the engine and handles the window
    // events until the dialog closes.
    dialog.setWindowModality(Qt::ApplicationModal);
    dialog.show();
    dialog.Form_Activate();
}

void ConnectAnalysisCommands(frmMain& form)
{
    form.onCommand(QStringLiteral("mnEngineSet"), mnEngineSet_Click);
    form.onCommand(QStringLiteral("mnEngineAnalyze"), mnEngineAnalyze_Click);
    form.onCommandEnabled(QStringLiteral("mnPosAnalyze"), mnPosAnalyze_Click);
    form.setCommandChecked(QStringLiteral("mnEngineAnalyze"), Engine.ThinkShown);
}
