#include "ui/TFormErrors.h"

#include "base/AppParams.h"
#include "runner/ErrorLog.h"
#include "lib/NativeName.h"
#include "lib/TextFile.h"
#include "ui/UiKit.h"
#include "ui/UiMetrics.h"

#include <QAction>
#include <QDateTime>
#include <QDir>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QFileInfo>
#include <QHeaderView>
#include <QPushButton>
#include <QTabWidget>
#include <QTreeWidget>
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
    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("tabsErrors"));
    m_reports = new QTreeWidget(m_tabs);
    m_reports->setObjectName(QStringLiteral("tvReports"));
    m_reports->setHeaderHidden(true);
    m_reports->setColumnCount(1);
    m_reports->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_reports->header()->setStretchLastSection(false);
    m_me = new QPlainTextEdit(m_tabs);
    m_me->setObjectName(QStringLiteral("me"));
    m_me->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_me->setFont(UiKit::ToQFont(AppParams().MonospaceFont));
    //: The error window's first page: each failure explained
    m_tabs->addTab(m_reports, tr("Reports"));
    //: The error window's second page: the log as "Save log" writes it
    m_tabs->addTab(m_me, tr("Log text"));

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
    v->addWidget(m_tabs, 1);
    v->addLayout(buttons);
}

void TFormErrors::AddErrorReport(const QString& report, const QString& input, const QString& output, int number)
{
    const QDateTime when = QDateTime::currentDateTime();
    const QStringList lines = FormatErrorReport(report, input, output, number, when);
    for (const QString& l : lines)
        m_me->appendPlainText(l);
    ShowReport(report, input, output, number, when);
}

void TFormErrors::ShowReport(const QString& report, const QString& input, const QString& output, int number,
                                const QDateTime& when)
{
    const TErrorReportParts parts = SplitErrorReport(report);
    QString sentence = parts.Reason;
    if (sentence.isEmpty() && !parts.ExitCode.isEmpty())
        sentence = tr("The encoder ended with exit code %1.").arg(parts.ExitCode);
    auto* top = new QTreeWidgetItem(m_reports);
    //: One failure in the error window: %1 its number, %2 why it failed, %3 the input's file name
    top->setText(0, tr("%1. %2 (%3)").arg(number).arg(sentence, NativeName::Shown(QFileInfo(input).fileName())));
    QFont bold = top->font(0);
    bold.setBold(true);
    top->setFont(0, bold);
    top->setToolTip(0, sentence);
    const auto field = [top](const QString& heading, const QString& value) {
        if (value.isEmpty())
            return;
        auto* item = new QTreeWidgetItem(top, {heading + QStringLiteral(": ") + value});
        item->setToolTip(0, value);
    };
    field(tr("Input file"), input);
    field(tr("Output file"), output);
    field(tr("Date and time"), QLocale().toString(when, QLocale::ShortFormat));
    field(tr("Exit code"), parts.ExitCode);
    field(tr("Command line"), parts.CommandLine);
    if (!parts.Output.isEmpty() || !parts.LeftOut.isEmpty()) {
        auto* out = new QTreeWidgetItem(top, {tr("The encoder's output (%n lines)", nullptr, int(parts.Output.size()))});
        const QFont mono = UiKit::ToQFont(AppParams().MonospaceFont);
        QStringList lines = parts.Output;
        if (!parts.LeftOut.isEmpty())
            lines.prepend(parts.LeftOut);
        for (const QString& line : lines)
            new QTreeWidgetItem(out, {line});
        for (int i = 0; i < out->childCount(); ++i)
            out->child(i)->setFont(0, mono);
    }
    top->setExpanded(true); // the details at a glance, the encoder's lines folded
}

void TFormErrors::ClearLog()
{
    setWindowTitle(tr("Errors"));
    m_me->clear();
    m_reports->clear();
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
    m_reports->clear();
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
