#include "ui/TSettingsPanel.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QToolButton>
#include <QVBoxLayout>

TSettingsPanel::TSettingsPanel(const QString& objectName, const QString& caption, QWidget* parent)
    : QFrame(parent)
{
    setObjectName(objectName);
    setFrameShape(QFrame::StyledPanel);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(4, 2, 4, 4);
    outer->setSpacing(3);

    auto* header = new QHBoxLayout;
    auto* title = new QLabel(caption, this);
    title->setObjectName(objectName + QStringLiteral("_Caption"));
    title->setProperty("panelHeader", true);
    m_menu = new QMenu(this);
    m_menu->setObjectName(objectName + QStringLiteral("_Menu"));
    m_menuButton = new QToolButton(this);
    m_menuButton->setObjectName(objectName + QStringLiteral("_MenuButton"));
    m_menuButton->setMenu(m_menu);
    m_menuButton->setPopupMode(QToolButton::InstantPopup);
    m_menuButton->setAutoRaise(true);
    m_menuButton->setArrowType(Qt::DownArrow);
    m_menuButton->setToolTip(tr("Copy, paste or reset these settings"));
    header->addWidget(title);
    header->addStretch();
    header->addWidget(m_menuButton);
    outer->addLayout(header);

    m_body = new QVBoxLayout;
    m_body->setSpacing(3);
    m_grid = new QGridLayout;
    m_grid->setHorizontalSpacing(6);
    m_grid->setVerticalSpacing(3);
    m_body->addLayout(m_grid);
    outer->addLayout(m_body);
    outer->addStretch();
}

QComboBox* TSettingsPanel::AddList(const QString& name, const QStringList& items, bool refresh)
{
    auto* cb = new QComboBox(this);
    cb->setObjectName(name);
    cb->addItems(items);
    cb->setMaxVisibleItems(20);
    if (refresh)
        connect(cb, &QComboBox::currentIndexChanged, this, &TSettingsPanel::Changed);
    return cb;
}

QComboBox* TSettingsPanel::AddEditableList(const QString& name, const QStringList& items, bool refresh)
{
    QComboBox* cb = AddList(name, items, refresh);
    cb->setEditable(true);
    // Typed texts are values, never new list entries.
    cb->setInsertPolicy(QComboBox::NoInsert);
    return cb;
}

QLabel* TSettingsPanel::AddLabel(const QString& name, const QString& text)
{
    auto* l = new QLabel(text, this);
    l->setObjectName(name);
    return l;
}

void TSettingsPanel::SetEditable(QComboBox* cb, const EditableListValue& v)
{
    const QSignalBlocker block(cb);
    cb->setCurrentIndex(v.Index >= 0 && v.Index < cb->count() ? v.Index : -1);
    cb->setEditText(v.Text);
}

EditableListValue TSettingsPanel::GetEditable(const QComboBox* cb)
{
    EditableListValue v;
    v.Text = cb->currentText();
    // A typed text that is no entry of the list selects nothing, as the box shows it.
    v.Index = cb->findText(v.Text);
    return v;
}

void TSettingsPanel::SetIndex(QComboBox* cb, int index)
{
    cb->setCurrentIndex(index >= 0 && index < cb->count() ? index : -1);
}
