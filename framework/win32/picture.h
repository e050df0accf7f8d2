// Painting a picture control (ControlKind::kPicture, an owner-drawn static) from the page's
// Drawing, on WM_DRAWITEM to the page's dialog.
#pragma once

#include <windows.h>

#include "framework/drawing.h"

namespace fw::win32 {

// `dialog` is the page window: dialog units are scaled with its font.
void PaintDrawing(HWND dialog, const DRAWITEMSTRUCT& item, const Drawing& drawing);

}  // namespace fw::win32
