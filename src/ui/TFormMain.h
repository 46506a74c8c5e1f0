#pragma once

#include "app/cli/CommandLine.h"

#include <QMainWindow>

class TFormMain : public QMainWindow {
    Q_OBJECT
public:
    explicit TFormMain(const CliOptions& options, QWidget* parent = nullptr);
};
