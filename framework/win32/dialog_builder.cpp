#include "framework/win32/dialog_builder.h"

#include <windows.h>

#include "framework/win32/text.h"

namespace fw::win32 {
namespace {

constexpr uint16_t kButtonAtom = 0x0080;
constexpr uint16_t kEditAtom = 0x0081;
constexpr uint16_t kStaticAtom = 0x0082;
constexpr uint16_t kPointSize = 8;
constexpr const wchar_t* kFontFace = L"MS Shell Dlg";

// Appends DLGTEMPLATE fields to a word vector; items start on 4-byte boundaries.
class TemplateWriter {
 public:
  void Word(uint16_t w) { words_.push_back(w); }
  void Dword(uint32_t d) {
    Word(static_cast<uint16_t>(d & 0xFFFF));
    Word(static_cast<uint16_t>(d >> 16));
  }
  void Short(int v) { Word(static_cast<uint16_t>(static_cast<int16_t>(v))); }
  void String(const std::wstring& s) {
    for (wchar_t c : s) Word(static_cast<uint16_t>(c));
    Word(0);
  }
  void AlignToDword() {
    if (words_.size() % 2 != 0) Word(0);
  }
  std::vector<uint16_t> Take() { return std::move(words_); }

 private:
  std::vector<uint16_t> words_;
};

// Window styles of one control of the template (the class atom goes with them).
struct ItemStyle {
  uint32_t style = 0;
  uint16_t classAtom = 0;
};

ItemStyle StyleOf(const ControlDef& c) {
  ItemStyle s;
  s.style = WS_CHILD | WS_VISIBLE;
  if ((c.style & kCreatedDisabled) != 0) s.style |= WS_DISABLED;
  switch (c.kind) {
    case ControlKind::kEdit:
      s.classAtom = kEditAtom;
      s.style |= WS_BORDER | WS_TABSTOP;
      if ((c.style & kMultiLine) != 0) {
        s.style |= ES_MULTILINE | ES_AUTOVSCROLL;
        if ((c.style & kScrollsSideways) != 0) s.style |= ES_AUTOHSCROLL | WS_HSCROLL;
      } else {
        // A single-line edit takes any length of text, whatever its width.
        s.style |= ES_AUTOHSCROLL;
      }
      if ((c.style & kReadOnly) != 0) s.style |= ES_READONLY;
      if ((c.style & kPassword) != 0) s.style |= ES_PASSWORD;
      if ((c.style & kRightAlign) != 0) s.style |= ES_RIGHT;
      if ((c.style & kCentred) != 0) s.style |= ES_CENTER;
      break;
    case ControlKind::kPushButton:
      s.classAtom = kButtonAtom;
      s.style |= BS_PUSHBUTTON | WS_TABSTOP;
      break;
    case ControlKind::kRadioButton:
      // Each radio button is its own group; the page's handler sets and clears them.
      s.classAtom = kButtonAtom;
      s.style |= BS_RADIOBUTTON | WS_GROUP | WS_TABSTOP;
      break;
    case ControlKind::kCheckBox:
      s.classAtom = kButtonAtom;
      s.style |= BS_AUTOCHECKBOX | WS_TABSTOP;
      if ((c.style & kTextLeft) != 0) s.style |= BS_LEFTTEXT;
      break;
    case ControlKind::kGroupBox:
      s.classAtom = kButtonAtom;
      s.style |= BS_GROUPBOX;
      break;
    case ControlKind::kPicture:
      // The page window paints it from the page's Drawing (WM_DRAWITEM).
      s.classAtom = kStaticAtom;
      s.style |= SS_OWNERDRAW;
      break;
    case ControlKind::kStatic:
      s.classAtom = kStaticAtom;
      if ((c.style & kCentred) != 0) {
        s.style |= SS_CENTER;
      } else if ((c.style & kRightAlign) != 0) {
        s.style |= SS_RIGHT;
      } else {
        s.style |= SS_LEFT;
      }
      break;
  }
  return s;
}

std::vector<uint16_t> Build(const DialogTemplate& dialog, uint32_t style,
                            const std::wstring& title) {
  TemplateWriter w;
  w.Dword(style);
  w.Dword(0);  // extended style
  w.Word(static_cast<uint16_t>(dialog.controls.size()));
  w.Short(0);
  w.Short(0);
  w.Short(dialog.cx);
  w.Short(dialog.cy);
  w.Word(0);  // no menu
  w.Word(0);  // the standard dialog class
  w.String(title);
  w.Word(kPointSize);
  w.String(kFontFace);
  for (const ControlDef& c : dialog.controls) {
    const ItemStyle s = StyleOf(c);
    w.AlignToDword();
    w.Dword(s.style);
    w.Dword(0);
    w.Short(c.x);
    w.Short(c.y);
    w.Short(c.cx);
    w.Short(c.cy);
    w.Word(static_cast<uint16_t>(c.id));  // kStaticId becomes 0xFFFF, as resource labels are
    w.Word(0xFFFF);
    w.Word(s.classAtom);
    w.String(Widen(c.text));
    w.Word(0);  // no creation data
  }
  return w.Take();
}

}  // namespace

std::vector<uint16_t> BuildPageTemplate(const DialogTemplate& dialog) {
  // The tab caption comes from the page, not the template.
  return Build(dialog, WS_CHILD | WS_CAPTION | DS_SETFONT | DS_3DLOOK | DS_CONTROL, L"");
}

std::vector<uint16_t> BuildWindowTemplate(const DialogTemplate& dialog, const std::string& title) {
  return Build(
      dialog,
      WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | DS_MODALFRAME | DS_SETFONT | DS_CENTER,
      Widen(title));
}

}  // namespace fw::win32
