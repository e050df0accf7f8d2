// The settings file's writers replace a file through the framework's file layer: whole or not
// at all, flushed to the disk before it takes the old file's place.
#pragma once

#include "framework/file_layer.h"

using fw::FileWriteOutcome;
using fw::WriteFileSafely;
