#pragma once

#include <QImage>

#include "support/TestSupport.h"
#include "ui/TFormMain.h"

#include <QDir>
#include <QMenu>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace UiTest {

// A shown main window over a fresh program home.
struct MainWindowFixture {
    explicit MainWindowFixture(const QStringList& inputs = {});
    ~MainWindowFixture();

    template <typename T>
    T* Find(const char* name) const
    {
        T* w = this->w->findChild<T*>(QLatin1String(name));
        if (!w)
            ADD_FAILURE() << "no control " << name;
        return w;
    }

    QTemporaryDir tmp;
    QDir home;
    std::unique_ptr<TFormMain> w;
};

// The object names of a menu's actions, "-" for a separator, submenus by their menu's name.
QStringList MenuNames(const QMenu* menu);

// Saves what w shows now to /tmp/vexa_ui_<name>.png, for looking at the windows.
// Grabs the widget as it is painted now, keeps the picture as /tmp/vexa_ui_<name>.png
// for a look by eye, and returns it.
QImage Screenshot(QWidget* w, const QString& name);

} // namespace UiTest
