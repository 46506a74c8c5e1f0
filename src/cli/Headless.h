#pragma once

#include "cli/CommandLine.h"
#include "batch/BatchInput.h"
#include "settings/HeadlessSettings.h"

// The headless modes. Each returns the process's exit status; each runs on a
// QCoreApplication that already exists.
namespace Headless {

int Run(const CliOptions& options);

int RunToolsInfo(const CliOptions& options);
int RunInfo(const CliOptions& options);
int RunCmdLine(const CliOptions& options);
int RunConvert(const CliOptions& options);
int RunScript(const CliOptions& options);
int RunCheck(const CliOptions& options);
int RunCheckUpdate(const CliOptions& options);
int RunPreview(const CliOptions& options);

// Text for stdout / stderr, flushed at once (rows are reported as they end). Every
// printed text goes through TerminalText: control characters from names, tags and
// encoder lines become "?", and the text ends with a line break. The modes' own texts
// are in the context "Headless"; "vexaconv: " before a message stays as it is.
void Out(const QString& text);

// The SETTINGS of a mode, their fallback warnings printed. False, with the usage error
// printed, when they cannot be used (an unknown key, a missing profile).
bool ResolveSettings(const CliOptions& options, THeadlessSettings& settings);

// What goes without analysis when the MediaInfo library is missing.
enum class TUnanalysed { TheFile, Files };
// Without the MediaInfo library a warning is printed and what follows runs without
// analysis.
void WarnIfNoMediaInfo(TUnanalysed what);

// The OUTPUT options as the batch takes them.
TBatchOptions BatchOptionsFor(const CliOptions& options);

void Err(const QString& text);
// The progress line on a terminal, rewritten in place (no line break), and its removal.
void ErrProgressLine(const QString& text);
void ErrEndProgressLine();

} // namespace Headless
