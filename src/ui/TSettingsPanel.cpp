#include "ui/TSettingsPanel.h"

#include "lib/Conversion.h"
#include "ui/TWordCaptionDelegate.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QSlider>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>

#include <cmath>

namespace {

QString Translated(const char* text) { return QCoreApplication::translate("SettingRows", text); }

// "cbAviVideoBitrate" gives "lblAviVideoBitrate" + suffix: labels are named after their control.
QString LabelName(const QString& objectName, const char* suffix)
{
    qsizetype i = 0;
    while (i < objectName.size() && !objectName.at(i).isUpper())
        ++i;
    return QStringLiteral("lbl") + objectName.mid(i) + QLatin1String(suffix);
}

// The user drags in whole positions; a profile's fractional position is kept as it is.
void SnapToWholePosition(QSlider* s, int value)
{
    if (!s->isSliderDown())
        return;
    const int scale = TSettingsPanel::SliderScale;
    const int snapped = int(std::lround(double(value) / scale)) * scale;
    if (snapped != value)
        s->setValue(std::clamp(snapped, s->minimum(), s->maximum()));
}

// The items a list row shows.
QStringList ShownItems(const TSettingRow& row, const EncodingSettings& s)
{
    const QStringList items = row.Items(s);
    return row.ShownTranslated ? EncodingLists::Shown(items) : items;
}

QStringList ItemsOf(const QComboBox* cb)
{
    QStringList items;
    for (int i = 0; i < cb->count(); ++i)
        items << cb->itemText(i);
    return items;
}

void SetIndex(QComboBox* cb, int index)
{
    cb->setCurrentIndex(index >= 0 && index < cb->count() ? index : -1);
}

} // namespace

TSettingsPanel::TSettingsPanel(TSettingPanel panel, const QString& objectName, const QString& caption, QWidget* parent)
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

    for (const TSettingRow* row : PanelRows(panel))
        CreateControl(*row);
    UpdateValueLabels();
}

void TSettingsPanel::CreateControl(const TSettingRow& row)
{
    TRowControl rc;
    rc.Row = &row;
    const QString caption = Translated(row.Caption);
    switch (row.Kind) {
    case TControlKind::List:
    case TControlKind::EditableList: {
        auto* cb = new QComboBox(this);
        cb->addItems(ShownItems(row, EncodingSettings()));
        cb->setMaxVisibleItems(20);
        if (row.Kind == TControlKind::EditableList) {
            cb->setEditable(true);
            // Typed texts are values, never new list entries.
            cb->setInsertPolicy(QComboBox::NoInsert);
        }
        if (row.ItemCaptions)
            TWordCaptionDelegate::Attach(cb, EncodingLists::Shown(row.ItemCaptions()));
        connect(cb, &QComboBox::currentIndexChanged, this, &TSettingsPanel::Changed);
        rc.Control = cb;
        break;
    }
    case TControlKind::Check: {
        auto* c = new QCheckBox(caption, this);
        connect(c, &QCheckBox::toggled, this, &TSettingsPanel::Changed);
        rc.Control = c;
        break;
    }
    case TControlKind::Spin: {
        auto* sp = new QSpinBox(this);
        sp->setRange(int(row.Min), int(row.Max));
        connect(sp, &QSpinBox::valueChanged, this, &TSettingsPanel::Changed);
        rc.Control = sp;
        break;
    }
    case TControlKind::Slider: {
        auto* s = new QSlider(Qt::Horizontal, this);
        s->setRange(int(std::lround(row.Min * SliderScale)), int(std::lround(row.Max * SliderScale)));
        s->setSingleStep(SliderScale);
        s->setPageStep(SliderScale);
        s->setTickInterval(5 * SliderScale);
        s->setTickPosition(QSlider::TicksBelow);
        connect(s, &QSlider::valueChanged, this, [this, s](int value) {
            SnapToWholePosition(s, value);
            UpdateValueLabels();
            Q_EMIT Changed();
        });
        rc.Value = AddLabel(LabelName(row.ObjectName, "Value"), QString());
        rc.Value->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("-0.00")) + 4);
        rc.Control = s;
        break;
    }
    case TControlKind::Memo: {
        auto* m = new QPlainTextEdit(this);
        m->setFixedHeight(52);
        m->setTabChangesFocus(true); // parameters hold no tabs; Tab moves on
        rc.Control = m;
        break;
    }
    }
    rc.Control->setObjectName(row.ObjectName);
    if (row.Kind != TControlKind::Check && *row.Caption)
        rc.Label = AddLabel(LabelName(row.ObjectName, ""), caption);
    if (*row.Unit)
        rc.Unit = AddLabel(LabelName(row.ObjectName, "Unit"), Translated(row.Unit));
    // The pointer may rest on the caption as well as on the control.
    const QString help = Translated(row.Help);
    for (QWidget* w : {rc.Control, static_cast<QWidget*>(rc.Label), static_cast<QWidget*>(rc.Unit)}) {
        if (w)
            w->setToolTip(help);
    }
    m_rows << rc;
}

const TSettingsPanel::TRowControl* TSettingsPanel::Find(QStringView id) const
{
    for (const TRowControl& rc : m_rows) {
        if (rc.Row->Id == id)
            return &rc;
    }
    return nullptr;
}

TSettingsPanel::TRowControl* TSettingsPanel::Find(QStringView id)
{
    return const_cast<TRowControl*>(std::as_const(*this).Find(id));
}

QWidget* TSettingsPanel::Control(QStringView id) const
{
    const TRowControl* rc = Find(id);
    return rc ? rc->Control : nullptr;
}

QWidget* TSettingsPanel::Take(QStringView id)
{
    auto* rc = Find(id);
    if (!rc)
        return nullptr;
    rc->Placed = true;
    return rc->Control;
}

QLabel* TSettingsPanel::Label(QStringView id) const
{
    const TRowControl* rc = Find(id);
    return rc ? rc->Label : nullptr;
}

QLabel* TSettingsPanel::UnitLabel(QStringView id) const
{
    const TRowControl* rc = Find(id);
    return rc ? rc->Unit : nullptr;
}

QLabel* TSettingsPanel::ValueLabel(QStringView id) const
{
    const TRowControl* rc = Find(id);
    return rc ? rc->Value : nullptr;
}

void TSettingsPanel::AddCompanion(QStringView id, QWidget* w)
{
    if (auto* rc = Find(id))
        rc->Companions << w;
}

void TSettingsPanel::ShowOnlyWhenEnabled(QStringView id)
{
    if (auto* rc = Find(id))
        rc->HiddenWhenOff = true;
}

int TSettingsPanel::PlaceRow(QGridLayout* grid, int gridRow, QStringView id, TWidth width)
{
    auto* rc = Find(id);
    if (!rc)
        return gridRow;
    rc->Placed = true;
    if (rc->Row->Kind == TControlKind::Check || rc->Row->Kind == TControlKind::Memo) {
        if (rc->Label)
            grid->addWidget(rc->Label, gridRow++, 0, 1, 3);
        grid->addWidget(rc->Control, gridRow, 0, 1, 3);
        return gridRow + 1;
    }
    if (rc->Label)
        grid->addWidget(rc->Label, gridRow, 0);
    const int columns = width == TWidth::Wide && !rc->Unit ? 2 : 1;
    grid->addWidget(rc->Control, gridRow, 1, 1, columns);
    if (rc->Unit)
        grid->addWidget(rc->Unit, gridRow, 2);
    if (rc->Value)
        grid->addWidget(rc->Value, gridRow, 2);
    return gridRow + 1;
}

int TSettingsPanel::PlaceRemaining(QGridLayout* grid, int gridRow)
{
    for (const TRowControl& rc : m_rows) {
        if (!rc.Placed)
            gridRow = PlaceRow(grid, gridRow, rc.Row->Id);
    }
    return gridRow;
}

QLabel* TSettingsPanel::AddLabel(const QString& name, const QString& text)
{
    auto* l = new QLabel(text, this);
    l->setObjectName(name);
    return l;
}

void TSettingsPanel::SetSettings(const EncodingSettings& s)
{
    const QSignalBlocker block(this);
    for (const TRowControl& rc : m_rows) {
        const TSettingValue value = rc.Row->Get(s);
        switch (rc.Row->Kind) {
        case TControlKind::List: {
            auto* cb = static_cast<QComboBox*>(rc.Control);
            const QStringList items = ShownItems(*rc.Row, s);
            if (ItemsOf(cb) != items) {
                const QSignalBlocker quiet(cb);
                cb->clear();
                cb->addItems(items);
                if (rc.Row->ItemCaptions)
                    TWordCaptionDelegate::Attach(cb, EncodingLists::Shown(rc.Row->ItemCaptions()));
                ItemsRefilled(rc.Row->Id, cb);
            }
            SetIndex(cb, std::get<int>(value));
            break;
        }
        case TControlKind::EditableList: {
            auto* cb = static_cast<QComboBox*>(rc.Control);
            const EditableListValue& v = std::get<EditableListValue>(value);
            const QSignalBlocker quiet(cb);
            SetIndex(cb, v.Index);
            cb->setEditText(v.Text);
            break;
        }
        case TControlKind::Check:
            static_cast<QCheckBox*>(rc.Control)->setChecked(std::get<bool>(value));
            break;
        case TControlKind::Spin:
            static_cast<QSpinBox*>(rc.Control)->setValue(RoundHalfEven(std::get<double>(value)));
            break;
        case TControlKind::Slider:
            static_cast<QSlider*>(rc.Control)->setValue(int(std::lround(std::get<double>(value) * SliderScale)));
            break;
        case TControlKind::Memo:
            static_cast<QPlainTextEdit*>(rc.Control)->setPlainText(std::get<QString>(value));
            break;
        }
    }
    UpdateValueLabels();
}

void TSettingsPanel::GetSettings(EncodingSettings& s) const
{
    for (const TRowControl& rc : m_rows) {
        switch (rc.Row->Kind) {
        case TControlKind::List:
            rc.Row->Set(s, static_cast<QComboBox*>(rc.Control)->currentIndex());
            break;
        case TControlKind::EditableList: {
            const auto* cb = static_cast<QComboBox*>(rc.Control);
            EditableListValue v;
            v.Text = cb->currentText();
            // A typed text that is no entry of the list selects nothing, as the box shows it.
            v.Index = cb->findText(v.Text);
            rc.Row->Set(s, v);
            break;
        }
        case TControlKind::Check:
            rc.Row->Set(s, static_cast<QCheckBox*>(rc.Control)->isChecked());
            break;
        case TControlKind::Spin:
            rc.Row->Set(s, double(static_cast<QSpinBox*>(rc.Control)->value()));
            break;
        case TControlKind::Slider:
            rc.Row->Set(s, double(static_cast<QSlider*>(rc.Control)->value()) / SliderScale);
            break;
        case TControlKind::Memo:
            rc.Row->Set(s, static_cast<QPlainTextEdit*>(rc.Control)->toPlainText());
            break;
        }
    }
}

void TSettingsPanel::ApplyEnabling(const EncodingSettings& s)
{
    for (const TRowControl& rc : m_rows) {
        const bool on = IsSettingEnabled(*rc.Row, s);
        for (QWidget* w : {rc.Control, static_cast<QWidget*>(rc.Label), static_cast<QWidget*>(rc.Unit),
                           static_cast<QWidget*>(rc.Value)}) {
            if (!w)
                continue;
            w->setEnabled(on);
            if (rc.HiddenWhenOff)
                w->setVisible(on);
        }
        for (QWidget* w : rc.Companions)
            w->setEnabled(on);
    }
    UpdateValueLabels();
}

void TSettingsPanel::UpdateValueLabels()
{
    for (const TRowControl& rc : m_rows) {
        if (rc.Value)
            rc.Value->setText(rc.Row->ValueText(double(static_cast<QSlider*>(rc.Control)->value()) / SliderScale));
    }
}
