// A dialog described as data: the page's controls with their ids, kinds, texts, positions and
// sizes in dialog units. The headless backend makes its in-memory controls from it; the Win32
// backend builds a DLGTEMPLATE from it.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace fw {

constexpr int kStaticId = -1;  // labels and group boxes that the code never addresses

// kPicture: a frame the page fills with a Drawing (framework/drawing.h); it takes no input.
enum class ControlKind {
  kEdit,
  kPushButton,
  kRadioButton,
  kCheckBox,
  kStatic,
  kGroupBox,
  kPicture
};

enum ControlStyle : uint32_t {
  kStyleNone = 0,
  kReadOnly = 1u << 0,
  kPassword = 1u << 1,
  kRightAlign = 1u << 2,
  kCentred = 1u << 3,
  kCreatedDisabled = 1u << 4,
  kMultiLine = 1u << 5,
  kScrollsSideways = 1u << 6,
  kTextLeft = 1u << 7,  // a check box with its text on the left of the box
};

struct ControlDef {
  int id;
  ControlKind kind;
  std::string text;
  int x, y, cx, cy;
  uint32_t style = kStyleNone;
};

struct DialogTemplate {
  int id;
  int cx = 250;
  int cy = 150;
  std::vector<ControlDef> controls;

  const ControlDef* Find(int controlId) const {
    if (controlId == kStaticId) return nullptr;
    for (const ControlDef& c : controls) {
      if (c.id == controlId) return &c;
    }
    return nullptr;
  }
};

// The template `id`, made from `controls()` the first time it is asked for and kept for the
// life of the program: the Win32 sheet needs its templates to stay put while it runs. Each call
// site keeps its own templates.
template <class Controls>
const DialogTemplate& TemplateOnce(int id, Controls&& controls) {
  static std::map<int, std::unique_ptr<DialogTemplate>> made;
  std::unique_ptr<DialogTemplate>& slot = made[id];
  if (!slot) slot = std::make_unique<DialogTemplate>(DialogTemplate{id, 250, 150, controls()});
  return *slot;
}

}  // namespace fw
