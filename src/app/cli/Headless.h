#pragma once

#include "app/cli/CommandLine.h"

// The headless modes. Each returns the process's exit status; each runs on a
// QCoreApplication that already exists.
namespace Headless {

int Run(const CliOptions& options);

int RunToolsInfo(const CliOptions& options);
int RunInfo(const CliOptions& options);
int RunCmdLine(const CliOptions& options);
int RunConvert(const CliOptions& options);
int RunScript(const CliOptions& options);

// Text for stdout / stderr, flushed at once (rows are reported as they end).
void Out(const QString& text);
void Err(const QString& text);

} // namespace Headless
