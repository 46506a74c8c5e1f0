#include "ui/TFormAbout.h"

#include "base/AppInfo.h"
#include "base/AppParams.h"
#include "media/ToolsInfo.h"
#include "media/FileInfoReport.h"
#include "ui/UiKit.h"
#include "ui/UiMetrics.h"

#include <QCoreApplication>
#include <QFrame>
#include <QLabel>
#include <QPointer>
#include <QRegularExpression>
#include <QThread>
#include <QUrl>
#include <QVBoxLayout>

namespace {

struct TBlockLook {
    const char* background;
    const char* separator; // the line above the block; none for the first
};

const TBlockLook BlockLooks[] = {
    {"#FDF4B7", nullptr},
    {"#C8E9FD", "#9ED9FC"},
    {"#EEDBEE", "#DDB9DD"},
    {"#D2E8DA", "#A9D3BA"},
};

const QString BlockMark = QStringLiteral("<!--block-->");

} // namespace

TFormAbout::TFormAbout(QWidget* owner)
    : QWidget(owner, Qt::Dialog)
{
    setObjectName(QStringLiteral("FormAbout"));
    setWindowTitle(tr("About"));
    auto* v = new QVBoxLayout(this);
    v->setContentsMargins(0, 0, 0, 0);
    v->setSpacing(0);
    int i = 0;
    for (const TBlockLook& look : BlockLooks) {
        auto* frame = new QFrame(this);
        frame->setObjectName(QStringLiteral("pnBlock%1").arg(i + 1));
        QString css = QStringLiteral("QFrame#%1 { background-color: %2; %3 }")
                          .arg(frame->objectName(), QLatin1String(look.background),
                               look.separator ? QStringLiteral("border-top: 2px solid %1;").arg(QLatin1String(look.separator))
                                              : QString());
        frame->setStyleSheet(css + QStringLiteral(" QLabel { color: black; background: transparent; }"));
        auto* fl = new QVBoxLayout(frame);
        fl->setContentsMargins(12, 8, 12, 8);
        auto* label = new QLabel(frame);
        label->setObjectName(QStringLiteral("lblBlock%1").arg(i + 1));
        label->setTextFormat(Qt::RichText);
        label->setAlignment(Qt::AlignCenter);
        label->setWordWrap(true);
        label->setOpenExternalLinks(false);
        label->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::TextSelectableByMouse);
        connect(label, &QLabel::linkActivated, this, [](const QString& link) { UiKit::OpenWithShell(link); });
        connect(label, &QLabel::linkHovered, this, [this](const QString& link) {
            m_hovered = link;
            Render();
        });
        fl->addWidget(label);
        v->addWidget(frame, i == 0 ? 3 : i == 3 ? 2 : 1);
        m_blocks << label;
        ++i;
    }
    UiKit::AddEscHides(this);
    // The main window's About key closes the window again.
    auto* key = new QAction(this);
    key->setObjectName(QStringLiteral("actAbout"));
    key->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F1));
    connect(key, &QAction::triggered, this, &QWidget::hide);
    addAction(key);
    Fill(tr("(asking the encoder...)"), tr("(asking the library...)"));
    setFixedSize(UiMetrics::AboutSize);
}

TFormAbout::~TFormAbout()
{
    if (m_thread) {
        m_thread->wait();
        delete m_thread;
    }
}

// The markup and the placeholders stay as they are; only the words of a paragraph go
// through the catalogue, each paragraph whole and escaped as text.
QString TFormAbout::Template()
{
    return QStringLiteral("<p style=\"font-family:Tahoma; font-size:14pt; font-weight:bold; margin:0\">%APP_NAME%</p>"
                          "<p style=\"margin:0\">&nbsp;</p>"
                          "<p style=\"font-family:Tahoma; font-size:11pt; margin:0; white-space:pre\">")
        //: %1 is the version and the build's word size ("1.0  64-bit")
        + tr("Version %1").toHtmlEscaped().arg(QStringLiteral("%APP_VERSION%"))
        + QStringLiteral("</p>"
                         "<p style=\"font-family:Tahoma; font-size:10pt; margin:0\">%APP_DATE%</p>"
                         "<p style=\"font-family:Tahoma; font-size:10pt; margin:0\">")
        + tr("Freeware").toHtmlEscaped()
        + QStringLiteral("</p>"
                         "<p style=\"font-family:Tahoma; font-size:10pt; margin:0\">%APP_AUTHOR%</p>"
                         "<p style=\"margin:0\">&nbsp;</p>"
                         "<p style=\"font-family:Tahoma; font-size:10pt; margin:0\"><a href=\"%APP_URL%\">%APP_URL%</a></p>"
                         "<p style=\"font-family:Tahoma; font-size:10pt; margin:0\"><a href=\"%DONATION_URL%\"><b>%DONATION%</b></a></p>"
                         "<!--block-->"
                         "<p style=\"font-family:Tahoma; font-size:13pt; font-weight:bold; margin:0\">MEncoder</p>"
                         "<p style=\"font-family:Consolas, monospace; font-size:11pt; margin:0\">%MENCODER_VERSION%</p>"
                         "<p style=\"font-family:Tahoma; font-size:10pt; margin:0\"><a href=\"https://www.mplayerhq.hu/\">https://www.mplayerhq.hu/</a></p>"
                         "<!--block-->"
                         "<p style=\"font-family:Tahoma; font-size:13pt; font-weight:bold; margin:0\">MediaInfo</p>"
                         "<p style=\"font-family:Consolas, monospace; font-size:11pt; margin:0\">%MEDIAINFO_VERSION%</p>"
                         "<p style=\"font-family:Tahoma; font-size:10pt; margin:0\"><a href=\"https://mediaarea.net/en/MediaInfo\">https://mediaarea.net/en/MediaInfo</a></p>"
                         "<!--block-->"
                         "<p style=\"font-family:Verdana; font-size:10pt; font-weight:bold; margin:0\">")
        + tr("Other open source projects used in the program").toHtmlEscaped()
        + QStringLiteral("</p>"
                         "<ul style=\"font-family:Verdana; font-size:9pt; margin-top:4px\">"
                         "<li>Qt &ndash; <a href=\"https://www.qt.io/\">https://www.qt.io/</a></li>"
                         "<li>zlib &ndash; <a href=\"https://zlib.net/\">https://zlib.net/</a></li>"
                         "<li>")
        //: The name of the icon set the program's toolbar uses
        + tr("Adwaita icon theme").toHtmlEscaped()
        + QStringLiteral(" &ndash; <a href=\"https://gitlab.gnome.org/GNOME/adwaita-icon-theme\">https://gitlab.gnome.org/GNOME/adwaita-icon-theme</a></li>"
                         "</ul>");
}

QHash<QString, QString> TFormAbout::PlaceholderValues(const QString& encoderVersion, const QString& mediaInfoVersion)
{
    const QUrl home(ProductHomePageUrl());
    return {
        {QStringLiteral("%APP_NAME%"), QString::fromLatin1(AppInfo::ProgramName)},
        {QStringLiteral("%APP_VERSION%"),
         QStringLiteral("%1  %2-bit").arg(QLatin1String(AppInfo::ProgramVersion), AppInfo::BuildBits())},
        {QStringLiteral("%APP_DATE%"), QStringLiteral("2019.12.05")},
        {QStringLiteral("%APP_AUTHOR%"), QStringLiteral("Vexasoft")},
        {QStringLiteral("%APP_URL%"), ProductHomePageUrl()},
        {QStringLiteral("%DONATION_URL%"), home.scheme() + QStringLiteral("://") + home.host() + QStringLiteral("/donation/")},
        {QStringLiteral("%DONATION%"), tr("Support the author").toHtmlEscaped()},
        {QStringLiteral("%MENCODER_VERSION%"), encoderVersion.toHtmlEscaped()},
        {QStringLiteral("%MEDIAINFO_VERSION%"), mediaInfoVersion.toHtmlEscaped()},
    };
}

QString TFormAbout::FillTemplate(const QString& templ, const QHash<QString, QString>& values)
{
    QString out = templ;
    for (auto it = values.cbegin(); it != values.cend(); ++it) {
        if (it.key().compare(QLatin1String("%APP_URL%"), Qt::CaseInsensitive) == 0) {
            out.replace(it.key(), it.value(), Qt::CaseInsensitive);
            continue;
        }
        const qsizetype at = out.indexOf(it.key(), 0, Qt::CaseInsensitive);
        if (at >= 0)
            out.replace(at, it.key().size(), it.value());
    }
    return out;
}

void TFormAbout::Fill(const QString& encoderVersion, const QString& mediaInfoVersion)
{
    m_html = FillTemplate(Template(), PlaceholderValues(encoderVersion, mediaInfoVersion));
    Render();
}

void TFormAbout::Render()
{
    const QStringList blocks = m_html.split(BlockMark);
    static const QRegularExpression anchor(QStringLiteral("<a href=\"([^\"]*)\">"));
    for (int i = 0; i < m_blocks.size() && i < blocks.size(); ++i) {
        QString html = blocks.at(i);
        QString styled;
        qsizetype pos = 0;
        auto it = anchor.globalMatch(html);
        while (it.hasNext()) {
            const QRegularExpressionMatch m = it.next();
            const bool hot = m.captured(1) == m_hovered;
            styled += html.mid(pos, m.capturedStart() - pos);
            styled += QStringLiteral("<a href=\"%1\" style=\"color:%2; text-decoration:%3\">")
                          .arg(m.captured(1), hot ? HoverLinkColor() : LinkColor(), hot ? QStringLiteral("underline")
                                                                                        : QStringLiteral("none"));
            pos = m.capturedEnd();
        }
        styled += html.mid(pos);
        m_blocks[i]->setText(styled);
    }
}

void TFormAbout::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!m_toolsAsked)
        StartToolQuery();
}

void TFormAbout::StartToolQuery()
{
    m_toolsAsked = true;
    TAppParams params = AppParams();
    QPointer<TFormAbout> self(this);
    m_thread = QThread::create([self, params]() mutable {
        const QString encoder = ResolveMencoder(params);
        const QString banner = ToolsInfo::EncoderBanner(encoder);
        const QString dll = ResolveMediaInfoDll(params);
        const TToolVersion mi = ToolsInfo::MediaInfoVersion(dll);
        const QString encoderText = encoder.isEmpty() ? MissingEncoderText() : banner.isEmpty() ? encoder : banner;
        const QString mediaInfoText = mi.Present ? QStringLiteral("MediaInfo ") + mi.ProductVersion
                                                 : tr("The MediaInfo library was not found");
        QMetaObject::invokeMethod(
            qApp,
            [self, encoderText, mediaInfoText] {
                if (!self)
                    return;
                self->Fill(encoderText, mediaInfoText);
                Q_EMIT self->ToolsShown();
            },
            Qt::QueuedConnection);
    });
    m_thread->start();
}
