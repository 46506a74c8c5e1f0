#pragma once

#include "encoding/SettingRows.h"

#include <QFrame>

class QComboBox;
class QGridLayout;
class QLabel;
class QMenu;
class QToolButton;
class QVBoxLayout;

// One of the three settings panels: a header with the panel's caption and a drop-down
// button (copy, paste, default), and a body with one control per setting row of the
// panel. The controls are made, filled, read and enabled from the rows; a panel only
// says where its controls go, and a row it does not place shows at the end of its grid.
class TSettingsPanel : public QFrame {
    Q_OBJECT
public:
    TSettingsPanel(TSettingPanel panel, const QString& objectName, const QString& caption, QWidget* parent = nullptr);

    // The header button's menu (the main window fills it with its actions).
    QMenu* HeaderMenu() const { return m_menu; }

    // Shows the panel's part of s in the controls.
    virtual void SetSettings(const EncodingSettings& s);
    // Writes the panel's part of the controls into s, leaving the rest of s alone.
    virtual void GetSettings(EncodingSettings& s) const;
    // Enables each control with its labels as its row says for s; refreshes value labels.
    void ApplyEnabling(const EncodingSettings& s);

    // Track-bar positions are kept in hundredths so that a profile's 1.5 survives.
    static constexpr int SliderScale = 100;

Q_SIGNALS:
    // A control has changed: the enabling, value labels and shown command lines follow.
    void Changed();

protected:
    QGridLayout* Grid() const { return m_grid; }
    QVBoxLayout* Body() const { return m_body; }

    // The control of the row id, its label before, its unit after, its value label.
    QWidget* Control(QStringView id) const;
    // The control of the row id, which the panel places itself.
    QWidget* Take(QStringView id);
    QLabel* Label(QStringView id) const;
    QLabel* UnitLabel(QStringView id) const;
    QLabel* ValueLabel(QStringView id) const;
    // A widget enabled and disabled with the row id (a separator label, say).
    void AddCompanion(QStringView id, QWidget* w);
    // The row shows only while it is enabled: of rows that take turns (a bit rate or a
    // quality), the panel shows the one that counts and keeps its height for the others.
    void ShowOnlyWhenEnabled(QStringView id);

    // Puts row id on grid at gridRow: label | control | unit, a check box across; wide
    // controls take the unit's column too. Returns the next grid row.
    enum class TWidth { Normal, Wide };
    int PlaceRow(QGridLayout* grid, int gridRow, QStringView id, TWidth width = TWidth::Normal);
    // Places the rows not placed yet, in table order.
    int PlaceRemaining(QGridLayout* grid, int gridRow);

    QLabel* AddLabel(const QString& name, const QString& text);

    // Called after a list whose items come from the settings was refilled.
    virtual void ItemsRefilled(QStringView /*id*/, QComboBox* /*box*/) {}

private:
    struct TRowControl {
        const TSettingRow* Row = nullptr;
        QWidget* Control = nullptr;
        QLabel* Label = nullptr;
        QLabel* Unit = nullptr;
        QLabel* Value = nullptr;
        QList<QWidget*> Companions;
        bool Placed = false;
        bool HiddenWhenOff = false;
    };
    void CreateControl(const TSettingRow& row);
    const TRowControl* Find(QStringView id) const;
    TRowControl* Find(QStringView id);
    void UpdateValueLabels();

    QList<TRowControl> m_rows;
    QMenu* m_menu = nullptr;
    QToolButton* m_menuButton = nullptr;
    QGridLayout* m_grid = nullptr;
    QVBoxLayout* m_body = nullptr;
};
