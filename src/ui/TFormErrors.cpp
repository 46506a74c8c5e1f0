#include "ui/TFormErrors.h"

#include "base/AppParams.h"
#include "runner/ErrorLog.h"
#include "lib/TextFile.h"
#include "ui/UiKit.h"
#include "ui/UiMetrics.h"

#include <QAction>
#include <QDateTime>
#include <QDir>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QPushButton* Button(QWidget* parent, QAction* a, const char* name)
{
    auto* b = new QPushButton(a->text(), parent);
    b->setObjectName(QLatin1String(name));
    QObject::connect(b, &QPushButton::clicked, a, &QAction::trigger);
    return b;
}

} // namespace

TFormErrors::TFormErrors(QWidget* owner)
    : QWidget(owner, Qt::Window)
{
    setObjectName(QStringLiteral("FormErrors"));
    setWindowTitle(tr("Errors"));
    setMinimumSize(UiMetrics::ErrorsMinimum);
    resize(UiMetrics::ErrorsInitial);
    m_me = new QPlainTextEdit(this);
    m_me->setObjectName(QStringLiteral("me"));
    m_me->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_me->setFont(UiKit::ToQFont(AppParams().MonospaceFont));

    auto* clear = new QAction(tr("Clear"), this);
    clear->setObjectName(QStringLiteral("actClearLog"));
    connect(clear, &QAction::triggered, this, &TFormErrors::actClearLogExecute);
    auto* save = new QAction(tr("Save log..."), this);
    save->setObjectName(QStringLiteral("actSaveLog"));
    connect(save, &QAction::triggered, this, &TFormErrors::actSaveLogExecute);
    auto* close = new QAction(tr("Close"), this);
    close->setObjectName(QStringLiteral("actClose"));
    connect(close, &QAction::triggered, this, &QWidget::hide);
    UiKit::AddEscHides(this);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Button(this, clear, "btnClearLog"));
    buttons->addStretch();
    buttons->addWidget(Button(this, save, "btnSaveLog"));
    buttons->addWidget(Button(this, close, "btnClose"));
    auto* v = new QVBoxLayout(this);
    v->addWidget(m_me, 1);
    v->addLayout(buttons);
}

void TFormErrors::AddErrorReport(const QString& report, const QString& input, const QString& output, int number)
{
    const QStringList lines = FormatErrorReport(report, input, output, number, QDateTime::currentDateTime());
    for (const QString& l : lines)
        m_me->appendPlainText(l);
}

void TFormErrors::ClearLog()
{
    setWindowTitle(tr("Errors"));
    m_me->clear();
}

void TFormErrors::AppendLines(const QStringList& lines)
{
    if (lines.isEmpty())
        return;
    m_me->appendPlainText(lines.join(QLatin1Char('\n')));
}

void TFormErrors::ShowErrorCount(int count)
{
    //: The error window's title at the end of a batch: %1 is the number of errors
    setWindowTitle(tr("Errors (%1)").arg(count));
}

void TFormErrors::actClearLogExecute()
{
    m_me->clear();
}

bool TFormErrors::SaveLogTo(const QString& fileName)
{
    const QStringList lines = m_me->toPlainText().split(QLatin1Char('\n'));
    if (const TResult saved = TextFile::WriteLines(fileName, lines, TTextEncoding::Utf8); !saved) {
        UiKit::WarningBox(this, saved.error());
        return false;
    }
    return true;
}

void TFormErrors::actSaveLogExecute()
{
    const QString folder = m_startFolder ? m_startFolder() : UiKit::StartFolder();
    const QString start = QDir(folder).filePath(QLatin1String(DefaultErrorLogName));
    const QString name = UiKit::AskSaveFileName(this, tr("Save log"), start, {tr("Log files (*.log)")}, {QStringLiteral("log")});
    if (!name.isEmpty())
        SaveLogTo(name);
}
