#include "ui/TFormMain.h"

#include "app/AppInfo.h"

TFormMain::TFormMain(const CliOptions& options, QWidget* parent)
    : QMainWindow(parent)
{
    Q_UNUSED(options);
    setObjectName(QStringLiteral("FormMain"));
    setWindowTitle(AppInfo::FullCaption());
    setMinimumSize(650, 400);
    resize(934, 712);
}
