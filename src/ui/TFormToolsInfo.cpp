#include "ui/TFormToolsInfo.h"

#include "base/AppParams.h"
#include "media/ToolsInfo.h"
#include "ui/UiKit.h"
#include "ui/UiMetrics.h"

#include <QAction>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QThread>
#include <QVBoxLayout>

TFormToolsInfo::TFormToolsInfo(QWidget* owner)
    : QWidget(owner, Qt::Window)
{
    setObjectName(QStringLiteral("FormToolsInfo"));
    setWindowTitle(tr("Tools info"));
    setMinimumSize(UiMetrics::ToolsInfoMinimum);
    resize(UiMetrics::ToolsInfoInitial);
    m_me = new QPlainTextEdit(this);
    m_me->setObjectName(QStringLiteral("me"));
    m_me->setReadOnly(true);
    m_me->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_me->setFont(UiKit::ToQFont(AppParams().MonospaceFont));
    auto* selectAll = new QAction(this);
    selectAll->setShortcut(QKeySequence::SelectAll);
    connect(selectAll, &QAction::triggered, m_me, &QPlainTextEdit::selectAll);
    addAction(selectAll);
    auto* close = new QPushButton(tr("Close"), this);
    close->setObjectName(QStringLiteral("btnClose"));
    connect(close, &QPushButton::clicked, this, &QWidget::hide);
    UiKit::AddEscHides(this);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(close);
    auto* v = new QVBoxLayout(this);
    v->setContentsMargins(4, 4, 4, 4);
    v->addWidget(m_me, 1);
    v->addLayout(buttons);
}

TFormToolsInfo::~TFormToolsInfo()
{
    // A report still being built finishes on its own; nothing is delivered any more.
    for (QThread* t : std::as_const(m_threads)) {
        t->wait();
        delete t;
    }
}

void TFormToolsInfo::ShowReport()
{
    m_me->clear();
    m_me->setPlaceholderText(tr("Reading the tools..."));
    show();
    raise();
    activateWindow();
    m_building = true;
    const int generation = ++m_generation;
    // The worker gets its own copy of the record: resolving the tools writes to it.
    TAppParams params = AppParams();
    QPointer<TFormToolsInfo> self(this);
    QThread* t = QThread::create([self, params, generation]() mutable {
        const QString report = ToolsInfo::ToolsReport(params, ToolsInfo::DefaultLabelWidth);
        QMetaObject::invokeMethod(
            qApp,
            [self, report, generation] {
                if (self)
                    self->ReportReady(report, generation);
            },
            Qt::QueuedConnection);
    });
    m_threads << t;
    connect(t, &QThread::finished, this, [this, t] {
        m_threads.removeOne(t);
        t->deleteLater();
    });
    t->start();
}

void TFormToolsInfo::ReportReady(const QString& report, int generation)
{
    if (generation != m_generation)
        return;
    m_building = false;
    m_me->setPlaceholderText(QString());
    m_me->setPlainText(report);
    Q_EMIT ReportShown();
}

QString TFormToolsInfo::Text() const
{
    return m_me->toPlainText();
}
