#pragma once

#include <QMessageBox>

class QListWidget;

// A message box with a scrolling list of items under its text (files and their problems),
// so a long list never pushes the buttons off the screen. Unlike a plain message box it
// opens as wide as its longest line within the screen and the user may resize it.
class TItemListBox : public QMessageBox {
    Q_OBJECT
public:
    TItemListBox(Icon icon, const QString& title, const QString& text, StandardButtons buttons, QWidget* parent);

    // Puts the items under the box's text; call it after the texts are set.
    QListWidget* SetItems(const QStringList& items);

protected:
    bool event(QEvent* e) override;
    void showEvent(QShowEvent* e) override;

private:
    void FreeSize();

    QListWidget* m_list = nullptr;
    int m_wantedListWidth = 0;
    int m_wantedListHeight = 0;
    bool m_sized = false;
};
