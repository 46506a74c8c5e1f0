#pragma once

#include "encoding/EncodingSettings.h"
#include "encoding/SettingsRules.h"

#include <QFrame>

class QComboBox;
class QGridLayout;
class QLabel;
class QMenu;
class QToolButton;
class QVBoxLayout;

// One of the three settings panels: a header with the panel's caption and a drop-down
// button (copy, paste, default), and a body of controls that mirror part of an
// EncodingSettings value. The panels hold no settings of their own beyond their controls.
class TSettingsPanel : public QFrame {
    Q_OBJECT
public:
    TSettingsPanel(const QString& objectName, const QString& caption, QWidget* parent = nullptr);

    // The header button's menu (the main window fills it with its actions).
    QMenu* HeaderMenu() const { return m_menu; }

    // Shows the panel's part of s in the controls.
    virtual void SetSettings(const EncodingSettings& s) = 0;
    // Writes the panel's part of the controls into s, leaving the rest of s alone.
    virtual void GetSettings(EncodingSettings& s) const = 0;
    // Enables the dependent controls.
    virtual void ApplyEnabling(const TEncodingEnabling& e) = 0;

Q_SIGNALS:
    // A control whose change affects the enabling or the value labels has changed.
    void Changed();

protected:
    QGridLayout* Grid() const { return m_grid; }
    QVBoxLayout* Body() const { return m_body; }

    // Helpers that build a named control, fill it and wire its change to Changed().
    QComboBox* AddList(const QString& name, const QStringList& items, bool refresh);
    QComboBox* AddEditableList(const QString& name, const QStringList& items, bool refresh);
    QLabel* AddLabel(const QString& name, const QString& text);

    static void SetEditable(QComboBox* cb, const EditableListValue& v);
    static EditableListValue GetEditable(const QComboBox* cb);
    static void SetIndex(QComboBox* cb, int index);

private:
    QMenu* m_menu = nullptr;
    QToolButton* m_menuButton = nullptr;
    QGridLayout* m_grid = nullptr;
    QVBoxLayout* m_body = nullptr;
};
