#include "test_ui_support.h"

#include "base/AppParams.h"
#include "ui/UiKit.h"

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QPixmap>
#include <QTest>

#include <gtest/gtest.h>

namespace UiTest {

MainWindowFixture::MainWindowFixture(const QStringList& inputs)
{
    static bool styled = false;
    if (!styled) {
        UiKit::ApplyAppStyle(*qApp);
        styled = true;
    }
    home.setPath(tmp.path());
    InitAppParams(AppParams(), tmp.path(), QCoreApplication::applicationDirPath());
    w = std::make_unique<TFormMain>(inputs.value(0));
    w->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(w.get()));
}

MainWindowFixture::~MainWindowFixture()
{
    w.reset();
}

QStringList MenuNames(const QMenu* menu)
{
    QStringList names;
    if (!menu)
        return names;
    for (const QAction* a : menu->actions()) {
        if (a->isSeparator())
            names << QStringLiteral("-");
        else if (a->menu())
            names << a->menu()->objectName();
        else
            names << a->objectName();
    }
    return names;
}

void Screenshot(QWidget* w, const QString& name)
{
    QCoreApplication::processEvents();
    w->grab().save(QStringLiteral("/tmp/vexa_ui_%1.png").arg(name));
}

} // namespace UiTest
