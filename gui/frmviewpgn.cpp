#include "gui/frmviewpgn.h"

#include "files/pgnwriter.h"
#include "gui/topmost.h"
#include "shell/platform.h"

#include <QBoxLayout>
#include <QFile>
#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStringDecoder>

namespace {

// The file as text: UTF-8, or Latin-1 when it is not valid UTF-8.
QString decodeFile(const QByteArray& bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8(bytes);
    if (utf8.hasError())
        return QString::fromLatin1(bytes);
    return text;
}

} // namespace

frmViewPgn::frmViewPgn(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmViewPgn"));
    setWindowTitle(QStringLiteral("View Text"));
    setModal(true);

    txt = new QPlainTextEdit(this);
    txt->setObjectName(QStringLiteral("txt"));
    txt->setReadOnly(true);
    txt->setLineWrapMode(QPlainTextEdit::NoWrap);
    txt->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));

    btnCopy = new QPushButton(QStringLiteral("Copy"), this);
    btnCopy->setObjectName(QStringLiteral("btnCopy"));
    btnExit = new QPushButton(QStringLiteral("Close"), this);
    btnExit->setObjectName(QStringLiteral("btnExit"));
    btnExit->setDefault(true);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnCopy);
    buttons->addWidget(btnExit);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(txt);
    layout->addLayout(buttons);
    resize(480, 400);

    connect(btnCopy, &QPushButton::clicked, this, &frmViewPgn::btnCopy_Click);
    connect(btnExit, &QPushButton::clicked, this, &QDialog::close);
    Form_Load();
}

void frmViewPgn::Form_Load()
{
    pgnText.clear();
    QFile file(AutosavePath());
    if (file.open(QIODevice::ReadOnly)) {
        QStringList lines = decodeFile(file.readAll()).split(QLatin1Char('\n'));
        // A final line end does not start another line.
        if (!lines.isEmpty() && lines.last().isEmpty())
            lines.removeLast();
        for (QString& line : lines) {
            if (line.endsWith(QLatin1Char('\r')))
                line.chop(1);
            pgnText += line + QStringLiteral("\r\n");
        }
    }
    QString shown = pgnText;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    txt->setPlainText(shown);
    applyTopMost(*this);
}

void frmViewPgn::btnCopy_Click()
{
    platform().setClipboardText(pgnText);
    showMessage(QStringLiteral("棋谱已复制到剪贴板。"), MsgButtons::Ok, MsgIcon::Information);
}
