#include "framework/win32/picture.h"

namespace fw::win32 {

// Paints a picture control: a white field in a sunken frame, the lines, then the markers, all
// scaled from dialog units to the page's pixels.
void PaintDrawing(HWND dialog, const DRAWITEMSTRUCT& item, const Drawing& drawing) {
  HDC dc = item.hDC;
  RECT box = item.rcItem;
  FillRect(dc, &box, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  DrawEdge(dc, &box, EDGE_SUNKEN, BF_RECT);
  RECT scale = {0, 0, 4000, 8000};  // dialog units in pixels, large enough for fractions
  MapDialogRect(dialog, &scale);
  auto px = [&](double x) { return box.left + static_cast<int>(x * scale.right / 4000.0 + 0.5); };
  auto py = [&](double y) { return box.top + static_cast<int>(y * scale.bottom / 8000.0 + 0.5); };

  const bool enabled = IsWindowEnabled(item.hwndItem) != FALSE;
  const COLORREF grey = GetSysColor(COLOR_GRAYTEXT);
  HPEN axis = CreatePen(PS_SOLID, 1, enabled ? RGB(0, 0, 0) : grey);
  HPEN curve = CreatePen(PS_SOLID, 2, enabled ? RGB(0, 64, 192) : grey);
  HPEN live = CreatePen(PS_SOLID, 2, enabled ? RGB(200, 0, 0) : grey);
  HBRUSH pointFill = CreateSolidBrush(enabled ? RGB(0, 64, 192) : grey);
  HGDIOBJ oldPen = SelectObject(dc, axis);
  HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
  for (const DrawLine& l : drawing.lines) {
    SelectObject(dc, l.pen == Pen::kAxis ? axis : curve);
    MoveToEx(dc, px(l.x1), py(l.y1), nullptr);
    LineTo(dc, px(l.x2), py(l.y2));
  }
  for (const DrawMarker& m : drawing.markers) {
    const int x = px(m.x);
    const int y = py(m.y);
    if (m.kind == MarkerKind::kPoint) {
      SelectObject(dc, curve);
      SelectObject(dc, pointFill);
      Ellipse(dc, x - 3, y - 3, x + 4, y + 4);
    } else {
      // The live value: a ring with a cross, clear of the curve's own points.
      SelectObject(dc, live);
      SelectObject(dc, GetStockObject(NULL_BRUSH));
      Ellipse(dc, x - 5, y - 5, x + 6, y + 6);
      MoveToEx(dc, x - 8, y, nullptr);
      LineTo(dc, x + 9, y);
      MoveToEx(dc, x, y - 8, nullptr);
      LineTo(dc, x, y + 9);
    }
  }
  SelectObject(dc, oldBrush);
  SelectObject(dc, oldPen);
  DeleteObject(pointFill);
  DeleteObject(live);
  DeleteObject(curve);
  DeleteObject(axis);
}

}  // namespace fw::win32
