#include "ui/TProfileBox.h"

#include "settings/ProfileList.h"

#include <QAbstractItemView>
#include <QPainter>
#include <QSignalBlocker>
#include <QStyleOptionComboBox>
#include <QStylePainter>

namespace {

constexpr int ColorsRole = Qt::UserRole + 1; // TColor background, TColor text as a list
constexpr int TextLeft = 4;
constexpr int TextTopClosed = 1;
constexpr int TextTopDropped = 2;
constexpr int SelectedDarken = 40, SelectedGradientDarken = 15, GradientLighten = 4, LineDarken = 6;
constexpr int TabStopChars = 8;

QColor ToQColor(TColor c) { return QColor(RedOf(c), GreenOf(c), BlueOf(c)); }

TProfileEntryColors ColorsOf(const QModelIndex& index)
{
    const QVariantList v = index.data(ColorsRole).toList();
    if (v.size() != 2)
        return TProfileEntryColors::Default();
    return {TColor(v.at(0).toUInt()), TColor(v.at(1).toUInt())};
}

QVariantList ColorsData(const TProfileEntryColors& c) { return {uint(c.Background), uint(c.Text)}; }

QString EntryText(const QModelIndex& index) { return index.data(Qt::DisplayRole).toString(); }

bool MultiLine(const QString& text) { return text.contains(QLatin1Char('\n')) || text.contains(QLatin1Char('\r')); }

QString PaintedText(const QString& text)
{
    QString t = text;
    t.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return t;
}

QFont EntryFont(const QFont& base, const QModelIndex& index)
{
    QFont f = base;
    f.setBold(index.row() == TProfileList::DefaultSettingsIndex);
    return f;
}

} // namespace

TProfileEntryColors TProfileEntryColors::Default() { return {RGBColor(240, 240, 240), RGBColor(0, 0, 0)}; }

TProfileEntryColors TProfileEntryColors::ForProfile(TColor background, TColor text)
{
    const TColor white = RGBColor(255, 255, 255);
    if (background == white && text == white)
        return Default();
    if (background == text)
        return {RGBColor(51, 51, 51), RGBColor(230, 230, 230)};
    return {background, text};
}

void TProfileBoxDelegate::PaintEntry(QPainter* painter, const QRect& rect, const QModelIndex& index, const QFont& font,
                                     bool selected, bool dropped)
{
    const TProfileEntryColors colors = ColorsOf(index);
    QColor top, bottom, text;
    if (selected) {
        const TColor bg = ShiftColor(colors.Background, SelectedDarken, false);
        top = ToQColor(bg);
        bottom = ToQColor(ShiftColor(bg, SelectedGradientDarken, false));
        text = Qt::white;
    } else {
        top = ToQColor(ShiftColor(colors.Background, GradientLighten, true));
        bottom = ToQColor(colors.Background);
        text = ToQColor(colors.Text);
    }
    painter->save();
    QLinearGradient gradient(rect.topLeft(), rect.bottomLeft());
    gradient.setColorAt(0, top);
    gradient.setColorAt(1, bottom);
    painter->fillRect(rect, gradient);
    if (dropped) {
        painter->setPen(ToQColor(ShiftColor(colors.Background, LineDarken, false)));
        painter->drawLine(rect.topLeft(), rect.topRight());
    }
    painter->setFont(EntryFont(font, index));
    painter->setPen(text);
    const QString t = PaintedText(EntryText(index));
    const QRect textRect = rect.adjusted(TextLeft, dropped ? TextTopDropped : TextTopClosed, -2, 0);
    const int tabs = Qt::TextExpandTabs;
    if (MultiLine(t))
        painter->drawText(textRect, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap | tabs, t);
    else
        painter->drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine | tabs, t);
    painter->restore();
}

void TProfileBoxDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    PaintEntry(painter, option.rect, index, option.font, option.state.testFlag(QStyle::State_Selected), true);
}

QSize TProfileBoxDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    const QFontMetrics fm(EntryFont(option.font, index));
    const QString t = PaintedText(EntryText(index));
    const QRect r = fm.boundingRect(QRect(0, 0, 10000, 10000), Qt::AlignLeft | Qt::TextExpandTabs, t);
    const int lineHeight = fm.height() + 2 * TextTopDropped;
    return {r.width() + 2 * TextLeft, std::max(lineHeight, r.height() + 2 * TextTopDropped)};
}

TProfileBox::TProfileBox(QWidget* parent)
    : QComboBox(parent)
{
    setItemDelegate(new TProfileBoxDelegate(this));
    // A drop-down view that lets each entry be as tall as its lines.
    view()->setTextElideMode(Qt::ElideNone);
    setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    setMinimumContentsLength(TabStopChars * 2);
}

void TProfileBox::Fill(const TProfileList& list)
{
    // Rebuilding is no choice of the user: no one hears of the changes.
    const QSignalBlocker block(this);
    clear();
    const QStringList texts = list.BoxItems();
    for (int i = 0; i < texts.size(); ++i) {
        TProfileEntryColors colors = TProfileEntryColors::Default();
        if (i >= TProfileList::FirstProfileIndex) {
            const TProfileInfo& info = list.Items().at(i - TProfileList::FirstProfileIndex);
            colors = TProfileEntryColors::ForProfile(info.BgColor, info.FontColor);
        }
        addItem(texts.at(i));
        setItemData(i, ColorsData(colors), ColorsRole);
    }
    setCurrentIndex(TProfileList::LastSessionIndex);
    update();
}

TProfileEntryColors TProfileBox::EntryColors(int index) const
{
    return ColorsOf(model()->index(index, modelColumn(), rootModelIndex()));
}

void TProfileBox::paintEvent(QPaintEvent*)
{
    QStylePainter painter(this);
    QStyleOptionComboBox opt;
    initStyleOption(&opt);
    opt.currentText.clear();
    painter.drawComplexControl(QStyle::CC_ComboBox, opt);
    const QRect field = style()->subControlRect(QStyle::CC_ComboBox, &opt, QStyle::SC_ComboBoxEditField, this);
    if (currentIndex() >= 0) {
        // Closed, the box takes the colours of the entry it shows.
        const QModelIndex index = model()->index(currentIndex(), modelColumn(), rootModelIndex());
        painter.setClipRect(field);
        TProfileBoxDelegate::PaintEntry(&painter, field, index, font(), false, false);
    }
}
