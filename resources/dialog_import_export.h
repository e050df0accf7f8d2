// 201: the Import / Export page.
#pragma once

#include "framework/dialog_template.h"

namespace import_export {
constexpr int kDialogId = 201;
constexpr int kNodeName = 202;         // read-only edit
constexpr int kFileName = 428;         // edit, scrolls sideways
constexpr int kDefaultName = 429;      // "Default"
constexpr int kSaveToFile = 427;       // "Save to file"
constexpr int kReadFromFile = 430;     // "Read from file"
constexpr int kDefaultSettings = 201;  // "Default settings"
constexpr int kPassword = 226;         // password edit
constexpr int kProgress = 431;         // how far a long operation has come; empty otherwise
}  // namespace import_export

const fw::DialogTemplate& ImportExportDialog();
