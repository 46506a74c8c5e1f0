#include "ui/TFormCmdLine.h"

#include "base/AppParams.h"
#include "ui/UiKit.h"
#include "ui/UiMetrics.h"

#include <QAction>
#include <QPlainTextEdit>
#include <QVBoxLayout>

TFormCmdLine::TFormCmdLine(QWidget* owner)
    : QWidget(owner, Qt::Window)
{
    setObjectName(QStringLiteral("FormCmdLine"));
    setWindowTitle(tr("Encoder command-line parameters"));
    setMinimumSize(UiMetrics::CmdLineMinimum);
    resize(UiMetrics::CmdLineInitial);
    m_me = new QPlainTextEdit(this);
    m_me->setObjectName(QStringLiteral("me"));
    m_me->setReadOnly(true);
    m_me->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_me->setFont(UiKit::ToQFont(AppParams().MonospaceFont));
    QPalette pal = m_me->palette();
    pal.setColor(QPalette::Base, QColor(UiMetrics::NoteBackground));
    pal.setColor(QPalette::Text, Qt::black);
    m_me->setPalette(pal);
    UiKit::AddEscHides(this);
    auto* v = new QVBoxLayout(this);
    v->setContentsMargins(4, 4, 4, 4);
    v->addWidget(m_me);
}

void TFormCmdLine::SetText(const QString& text)
{
    setWindowTitle(tr("Encoder command-line parameters"));
    m_me->setPlainText(text);
}

QString TFormCmdLine::Text() const
{
    return m_me->toPlainText();
}
