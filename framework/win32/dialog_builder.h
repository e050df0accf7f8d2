// Turns a fw::DialogTemplate into a DLGTEMPLATE in memory, for a property page made with
// PSP_DLGINDIRECT or a dialog window of its own. The words must stay alive and writable while the
// page exists: the property sheet adjusts the styles in place.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "framework/dialog_template.h"

namespace fw::win32 {

// The template as 16-bit words; its data is suitably aligned (a vector's storage is).
std::vector<uint16_t> BuildPageTemplate(const DialogTemplate& dialog);
// The same for a dialog window of its own (a modal one), with `title` in its caption bar.
std::vector<uint16_t> BuildWindowTemplate(const DialogTemplate& dialog, const std::string& title);

}  // namespace fw::win32
