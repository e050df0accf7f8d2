// The settings file layer's side of the Import / Export page: export, download and factory
// settings as the page asks for them.
#pragma once

#include "pages/node/node_files.h"

// One for the process: it keeps no state of its own.
const INodeFiles& SettingsFiles();
