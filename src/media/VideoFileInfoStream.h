#pragma once

#include "media/VideoFileInfo.h"

#include <QByteArray>

// TVideoFileInfo as bytes, every field of every stream slot, for the analysis worker's
// answers. Both ends are the same build of the program, so the layout carries no version.

QByteArray SerializeVideoFileInfo(const TVideoFileInfo& info);
// False (info unspecified) when bytes are not one whole record.
bool DeserializeVideoFileInfo(const QByteArray& bytes, TVideoFileInfo& info);
