#include "ui/UiKit.h"

#include <QAction>

#include "base/AppInfo.h"
#include "ui/UiMetrics.h"

#include <QAbstractScrollArea>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QScrollBar>
#include <QWheelEvent>
#include <QDesktopServices>
#include <QFileDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFontDatabase>
#include <QIcon>
#include <QLabel>
#include <QMessageBox>
#include <QStandardPaths>
#include <QRegularExpression>
#include <QScreen>
#include <QStyleFactory>
#include <QToolButton>
#include <QUrl>
#include <QWidget>

#include <algorithm>
#include <memory>

namespace UiKit {

void WarningBox(QWidget* parent, const QString& text, const QString& title)
{
    QMessageBox box(QMessageBox::Warning, title.isEmpty() ? QString::fromLatin1(AppInfo::ProgramName) : title, text,
                    QMessageBox::Ok, parent);
    box.setObjectName(QStringLiteral("WarningBox"));
    box.exec();
}

TFontParams ChooseMonospaceFont()
{
    const QStringList families = QFontDatabase::families();
    auto has = [&](const char* name) { return families.contains(QLatin1String(name), Qt::CaseInsensitive); };
    if (has("Fira Mono"))
        return {QStringLiteral("Fira Mono"), 9};
    if (has("Consolas"))
        return {QStringLiteral("Consolas"), 10};
    return {QStringLiteral("Courier New"), 9};
}

QFont ToQFont(const TFontParams& f)
{
    QFont font(f.Name, f.Size > 0 ? f.Size : 9);
    // Without the named face, fall back to whatever fixed-pitch face the system has.
    font.setStyleHint(QFont::Monospace);
    font.setFixedPitch(true);
    return font;
}

void ApplyAppStyle(QApplication& app)
{
    if (QStyle* fusion = QStyleFactory::create(QStringLiteral("Fusion")))
        app.setStyle(fusion);
    app.setStyleSheet(QStringLiteral(
        "QFrame#pnVideo, QFrame#pnAudio, QFrame#pnAdvancedSettings { border: 1px solid palette(mid); border-radius: 3px; }"
        "QLabel[panelHeader=\"true\"] { font-weight: bold; }"
        "QToolButton#btnFoldConversionSettings { font-weight: bold; text-align: left; border: none; }"
        "QTableView#ng { gridline-color: palette(midlight); }"));
}

bool IsStayOnTop(const QWidget* w)
{
    return w->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
}

void SetStayOnTop(QWidget* w, bool on)
{
    if (IsStayOnTop(w) == on)
        return;
    const bool visible = w->isVisible();
    w->setWindowFlag(Qt::WindowStaysOnTopHint, on);
    // Changing the flags hides a shown window; bring it back as it was.
    if (visible)
        w->show();
}

void CentreOn(QWidget* w, const QWidget* owner)
{
    QRect area;
    if (owner && owner->isVisible())
        area = owner->frameGeometry();
    else if (QScreen* s = QGuiApplication::primaryScreen())
        area = s->availableGeometry();
    if (area.isValid())
        w->move(area.center() - QPoint(w->width() / 2, w->height() / 2));
}

void ShowCentred(QWidget* w, const QWidget* owner)
{
    CentreOn(w, owner);
    w->show();
    w->raise();
    w->activateWindow();
}

QString WholePhrases(const QString& html)
{
    QString out;
    out.reserve(html.size() + html.size() / 4);
    bool inTag = false;
    for (qsizetype i = 0; i < html.size(); ++i) {
        const QChar c = html.at(i);
        inTag = c == QLatin1Char('<') || (inTag && c != QLatin1Char('>'));
        const bool lone = c == QLatin1Char(' ') && (i == 0 || html.at(i - 1) != QLatin1Char(' ')) &&
                          (i + 1 == html.size() || html.at(i + 1) != QLatin1Char(' '));
        out += lone && !inTag ? QChar(0x00A0) : c;
    }
    return out;
}

QString LabelHtml(const QString& html)
{
    static const QRegularExpression fontTag(QStringLiteral("<font\\b([^>]*)>"), QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression attr(QStringLiteral("(bgcolor|color)\\s*=\\s*\"?([^\"\\s>]+)\"?"),
                                         QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression fontEnd(QStringLiteral("</font\\s*>"), QRegularExpression::CaseInsensitiveOption);
    QString out;
    qsizetype pos = 0;
    auto it = fontTag.globalMatch(html);
    while (it.hasNext()) {
        const QRegularExpressionMatch m = it.next();
        out += html.mid(pos, m.capturedStart() - pos);
        QString style;
        auto a = attr.globalMatch(m.captured(1));
        while (a.hasNext()) {
            const QRegularExpressionMatch am = a.next();
            style += (am.captured(1).compare(QLatin1String("bgcolor"), Qt::CaseInsensitive) == 0 ? QStringLiteral("background-color:")
                                                                                                 : QStringLiteral("color:")) +
                     am.captured(2) + QLatin1Char(';');
        }
        out += QStringLiteral("<span style=\"%1\">").arg(style);
        pos = m.capturedEnd();
    }
    out += html.mid(pos);
    out.replace(fontEnd, QStringLiteral("</span>"));
    return QStringLiteral("<span style=\"white-space:pre\">%1</span>").arg(out);
}

bool OpenWithShell(const QString& pathOrUrl)
{
    const QUrl url = pathOrUrl.contains(QLatin1String("://")) ? QUrl(pathOrUrl) : QUrl::fromLocalFile(pathOrUrl);
    return QDesktopServices::openUrl(url);
}

void AddEscHides(QWidget* w)
{
    auto* esc = new QAction(w);
    esc->setObjectName(QStringLiteral("actEsc"));
    esc->setShortcut(Qt::Key_Escape);
    QObject::connect(esc, &QAction::triggered, w, &QWidget::hide);
    w->addAction(esc);
}

QFileDialog* MakeSaveDialog(QWidget* parent, const QString& caption, const QString& start,
                            const QStringList& filters, const QStringList& suffixes)
{
    auto* dlg = new QFileDialog(parent, caption);
    dlg->setObjectName(QStringLiteral("dlgSave"));
    dlg->setOption(QFileDialog::DontUseNativeDialog, true);
    dlg->setAcceptMode(QFileDialog::AcceptSave);
    dlg->setFileMode(QFileDialog::AnyFile);
    dlg->setNameFilters(filters);
    const QFileInfo fi(start);
    if (fi.isDir()) {
        dlg->setDirectory(start);
    } else {
        dlg->setDirectory(fi.absolutePath());
        dlg->selectFile(fi.fileName());
    }
    dlg->setDefaultSuffix(suffixes.value(0));
    // The suffix follows the filter: "Shell scripts (*.sh)" makes a typed "run" into "run.sh".
    QObject::connect(dlg, &QFileDialog::filterSelected, dlg, [dlg, filters, suffixes](const QString& filter) {
        const qsizetype i = filters.indexOf(filter);
        if (i >= 0)
            dlg->setDefaultSuffix(suffixes.value(i));
    });
    return dlg;
}

QString AskSaveFileName(QWidget* parent, const QString& caption, const QString& start, const QStringList& filters,
                        const QStringList& suffixes, int* selectedFilter)
{
    std::unique_ptr<QFileDialog> dlg(MakeSaveDialog(parent, caption, start, filters, suffixes));
    if (dlg->exec() != QDialog::Accepted || dlg->selectedFiles().isEmpty())
        return QString();
    if (selectedFilter)
        *selectedFilter = int(filters.indexOf(dlg->selectedNameFilter()));
    return dlg->selectedFiles().first();
}

bool InProgramHome(const QString& path)
{
    const QString home = AppParams().AppDir;
    if (home.isEmpty() || path.isEmpty())
        return false;
    auto canonical = [](const QString& p) {
        const QString c = QFileInfo(p).canonicalFilePath();
        return c.isEmpty() ? QDir::cleanPath(QDir(p).absolutePath()) : c;
    };
    const QString h = canonical(home), p = canonical(path);
    return p == h || p.startsWith(h + QLatin1Char('/'));
}

QString StartFolder(const QString& remembered)
{
    if (!remembered.isEmpty() && QFileInfo(remembered).isDir() && !InProgramHome(remembered))
        return remembered;
    const QString videos = QStandardPaths::writableLocation(QStandardPaths::MoviesLocation);
    if (!videos.isEmpty() && QFileInfo(videos).isDir() && !InProgramHome(videos))
        return videos;
    return QDir::homePath();
}

QString NamesUpTo(const QStringList& names, int maxShown)
{
    QStringList lines = names.mid(0, maxShown);
    if (names.size() > maxShown)
        lines << QCoreApplication::translate("UiKit", "and %1 more").arg(names.size() - maxShown);
    return lines.join(QLatin1Char('\n'));
}

QString AppIconResource() { return QStringLiteral(":/icons/vexaconv.svg"); }

QIcon AppIcon()
{
    static const QIcon icon(AppIconResource());
    return icon;
}

QToolButton* ActionButton(QAction* action, QWidget* parent, const char* name)
{
    auto* b = new QToolButton(parent);
    b->setObjectName(QLatin1String(name));
    b->setDefaultAction(action);
    b->setToolButtonStyle(Qt::ToolButtonTextOnly);
    return b;
}

void SetToolTipDuration(QWidget* w)
{
    w->setToolTipDuration(UiMetrics::ToolTipDurationMs);
    for (QWidget* child : w->findChildren<QWidget*>())
        child->setToolTipDuration(UiMetrics::ToolTipDurationMs);
}

namespace {

class TWheelScroller : public QObject {
public:
    explicit TWheelScroller(QAbstractScrollArea* area) : QObject(area), m_area(area) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* w = qobject_cast<QWidget*>(watched);
        if (event->type() != QEvent::Wheel || !w || w->hasFocus())
            return false;
        QCoreApplication::sendEvent(m_area->verticalScrollBar(), event);
        return true;
    }

private:
    QAbstractScrollArea* m_area;
};

} // namespace

void WheelScrollsPast(QAbstractScrollArea* area)
{
    auto* scroller = new TWheelScroller(area);
    for (QWidget* w : area->findChildren<QWidget*>()) {
        if (!qobject_cast<QComboBox*>(w) && !qobject_cast<QAbstractSpinBox*>(w) && !qobject_cast<QAbstractSlider*>(w))
            continue;
        if (w->parent() == area || qobject_cast<QScrollBar*>(w))
            continue;
        // a click or Tab gives the focus, the wheel alone does not
        w->setFocusPolicy(Qt::StrongFocus);
        w->installEventFilter(scroller);
    }
}

QString WithoutMnemonic(const QString& caption)
{
    QString out;
    out.reserve(caption.size());
    for (int i = 0; i < caption.size(); ++i) {
        if (caption[i] == QLatin1Char('&') && i + 1 < caption.size())
            ++i; // "&&" keeps the second, "&x" keeps x
        out += caption[i];
    }
    return out;
}

QChar MnemonicOf(const QString& caption)
{
    for (int i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != QLatin1Char('&'))
            continue;
        if (caption[i + 1] != QLatin1Char('&'))
            return caption[i + 1].toLower();
        ++i;
    }
    return QChar();
}

} // namespace UiKit
