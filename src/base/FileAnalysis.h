#pragma once

// How much the file list learns about a file when it is added: nothing, the quick
// MediaInfo pass, or the full one. Settings, the list and the analysis share it.
enum TFileAnalysis { faNone = 0, faQuick = 1, faFull = 2 };
