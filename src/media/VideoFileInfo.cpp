#include "media/VideoFileInfo.h"
