#include "ui/TFormCheckUpdate.h"

#include "base/AppInfo.h"
#include "ui/UiKit.h"
#include "update/HttpTextFetch.h"
#include "ui/UiMetrics.h"

#include <QAction>
#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

TFormCheckUpdate::TFormCheckUpdate(QWidget* owner)
    : QWidget(owner, Qt::Dialog)
    , m_fetch(new THttpTextFetch(this))
{
    setObjectName(QStringLiteral("FormCheckUpdate"));
    setWindowTitle(tr("Check for updates"));

    m_lblUserVersion = new QLabel(QLatin1String(AppInfo::ProgramVersion), this);
    m_lblUserVersion->setObjectName(QStringLiteral("lblUserVersion"));
    m_lblLatestVersion = new QLabel(this);
    m_lblLatestVersion->setObjectName(QStringLiteral("lblLatestVersion"));
    for (QLabel* l : {m_lblUserVersion, m_lblLatestVersion}) {
        QFont f = l->font();
        f.setBold(true);
        l->setFont(f);
        l->setTextInteractionFlags(Qt::TextSelectableByMouse);
    }
    auto* versions = new QGridLayout;
    versions->addWidget(new QLabel(tr("Your version:"), this), 0, 0);
    versions->addWidget(m_lblUserVersion, 0, 1);
    versions->addWidget(new QLabel(tr("The latest version:"), this), 1, 0);
    versions->addWidget(m_lblLatestVersion, 1, 1);
    versions->setColumnStretch(1, 1);

    m_me = new QPlainTextEdit(this);
    m_me->setObjectName(QStringLiteral("me"));
    m_me->setReadOnly(true);
    m_me->setFont(UiKit::ToQFont({QStringLiteral("Consolas"), 10}));
    m_me->setFixedSize(UiMetrics::UpdateMessageSize);

    m_actCheckNow = new QAction(tr("Check now"), this);
    m_actCheckNow->setObjectName(QStringLiteral("actCheckNow"));
    m_actGoToDownloadPage = new QAction(tr("Download..."), this);
    m_actGoToDownloadPage->setObjectName(QStringLiteral("actGoToDownloadPage"));
    m_actGoToDownloadPage->setToolTip(tr("Go to the download page..."));
    m_btnCheckNow = new QPushButton(m_actCheckNow->text(), this);
    m_btnCheckNow->setObjectName(QStringLiteral("btnCheckNow"));
    m_btnDownload = new QPushButton(m_actGoToDownloadPage->text(), this);
    m_btnDownload->setObjectName(QStringLiteral("btnDownload"));
    m_btnDownload->setToolTip(m_actGoToDownloadPage->toolTip());
    auto* close = new QPushButton(tr("Close"), this);
    close->setObjectName(QStringLiteral("btnClose"));
    connect(m_btnCheckNow, &QPushButton::clicked, m_actCheckNow, &QAction::trigger);
    connect(m_btnDownload, &QPushButton::clicked, m_actGoToDownloadPage, &QAction::trigger);
    connect(m_actCheckNow, &QAction::changed, this, [this] { m_btnCheckNow->setEnabled(m_actCheckNow->isEnabled()); });
    connect(m_actGoToDownloadPage, &QAction::changed, this,
            [this] { m_btnDownload->setVisible(m_actGoToDownloadPage->isVisible()); });
    connect(m_actCheckNow, &QAction::triggered, this, &TFormCheckUpdate::actCheckNowExecute);
    connect(m_actGoToDownloadPage, &QAction::triggered, this, [] { UiKit::OpenWithShell(UpdateCheck::DownloadPageUrl()); });
    connect(close, &QPushButton::clicked, this, &QWidget::hide);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_btnCheckNow);
    buttons->addWidget(m_btnDownload);
    buttons->addStretch(1);
    buttons->addWidget(close);

    auto* v = new QVBoxLayout(this);
    v->addLayout(versions);
    v->addWidget(m_me);
    v->addLayout(buttons);
    UiKit::AddEscHides(this);

    m_timer.setSingleShot(true);
    m_timer.setInterval(UiMetrics::UpdateCheckDelayMs);
    connect(&m_timer, &QTimer::timeout, this, &TFormCheckUpdate::actCheckNowExecute);
    connect(m_fetch, &THttpTextFetch::Finished, this, &TFormCheckUpdate::Finish);
    ClearStatus();
    setFixedSize(sizeHint());
}

TStatusColors TFormCheckUpdate::StatusColors(TUpdateStatus status)
{
    const QPalette pal = QApplication::palette();
    switch (status) {
    case TUpdateStatus::Failed: return {QColor(UiMetrics::FailedBackground), QColor(UiMetrics::FailedText)};
    case TUpdateStatus::UpdateAvailable: return {QColor(UiMetrics::UpdateBackground), QColor(UiMetrics::UpdateText)};
    case TUpdateStatus::None:
    case TUpdateStatus::NoUpdates: break;
    }
    return {pal.color(QPalette::Button), pal.color(QPalette::WindowText)};
}

void TFormCheckUpdate::SetStatusColors(const TStatusColors& colors)
{
    QPalette pal = m_me->palette();
    pal.setColor(QPalette::Base, colors.Background);
    pal.setColor(QPalette::Text, colors.Font);
    m_me->setPalette(pal);
}

void TFormCheckUpdate::SetTimeoutMs(int ms) { m_fetch->SetTimeoutMs(ms); }

void TFormCheckUpdate::ClearStatus()
{
    SetStatusColors(StatusColors(TUpdateStatus::None));
    m_me->clear();
    m_actGoToDownloadPage->setVisible(false);
}

void TFormCheckUpdate::Open()
{
    ClearStatus();
    m_timer.start(); // the window is on screen before the request goes out
    show();
    raise();
    activateWindow();
}

bool TFormCheckUpdate::Checking() const { return m_fetch->Running(); }

void TFormCheckUpdate::actCheckNowExecute()
{
    m_timer.stop();
    ClearStatus();
    m_actCheckNow->setEnabled(false);
    m_lblLatestVersion->clear();
    m_me->setPlainText(UpdateCheck::WaitText().replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    m_fetch->Start(QUrl(m_url.isEmpty() ? UpdateCheck::VersionFileUrl() : m_url));
}

void TFormCheckUpdate::Finish(const QByteArray& reply)
{
    const TUpdateVerdict v = UpdateCheck::Evaluate(reply);
    m_lblLatestVersion->setText(v.LatestVersion);
    SetStatusColors(StatusColors(v.Status()));
    m_me->setPlainText(QString(v.Message).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    m_actGoToDownloadPage->setVisible(v.Outcome == TUpdateOutcome::UpdateAvailable);
    m_actCheckNow->setEnabled(true);
    Q_EMIT CheckFinished(v.Outcome);
}

QString TFormCheckUpdate::MessageText() const { return m_me->toPlainText(); }

QString TFormCheckUpdate::LatestVersionText() const { return m_lblLatestVersion->text(); }
