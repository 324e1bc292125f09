#pragma once
// Layout is computed, not rendered. Every text is taken to be set in one fixed-pitch font of 7 by
// 16 pixels, and the box of an element follows from that and from its attributes (docs/browser.md
// lists the rules):
//   text input of size n (20 when not given)   n x 7 + 4  by 22
//   textarea of c columns and r rows            c x 7 + 20 by r x 16 + 4
//   check box, radio button                     13 by 13
//   button, submit, reset                       caption x 7 + 16 by 22
//   select                                      longest option x 7 + 24 by 20 (size s > 1: s x 16 +
//   4) hidden input, anything not displayed        0 by 0 other elements longest text line x 7 by
//   lines x 16
// A width or height in pixels in the element's style wins over these. The offset size adds the
// 2-pixel border of inputs, textareas and selects on each side.

#include <cstdint>

namespace qv::browser {

class Element;

struct ElementBox {
  int32_t width = 0;
  int32_t height = 0;
  int32_t offsetWidth = 0;
  int32_t offsetHeight = 0;
};

inline constexpr int32_t kCharWidth = 7;
inline constexpr int32_t kLineHeight = 16;

ElementBox MeasureElement(const Element& element);

}  // namespace qv::browser
