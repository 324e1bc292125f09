#pragma once
// Formatting objects the host hands out for ranges, tables, cells and shapes: Font,
// ParagraphFormat, Borders/Border and Shading. Each is a live view: it reads and writes the
// formatting of the object it came from, and raises "Object has been deleted." once that is gone.

#include <array>
#include <functional>
#include <memory>
#include <vector>

#include "automation/dispatch.h"
#include "word/story.h"

namespace qv::word {

using automation::Args;
using automation::ClassTable;
using automation::Dispatch;
using automation::DispatchTable;
using automation::Variant;

// What a Font object reads and writes.
struct FontTarget {
  std::function<std::vector<FontData>()> read;  // the distinct fonts in the target
  std::function<void(const std::function<void(FontData&)>&)> change;
};

class Font : public Dispatch {
 public:
  explicit Font(FontTarget target) : t_(std::move(target)) {}
  const DispatchTable& Members() const override;

  // Mixed values read as the host's "undefined": "" for the name, 9999999 for numbers.
  std::string Name() const;
  double Size() const;
  int32_t Color() const;
  bool Bold() const;
  void SetName(const std::string& v);
  void SetSize(double v);
  void SetColor(int32_t v);
  void SetBold(bool v);

 private:
  FontTarget t_;
};

struct ParaTarget {
  std::function<std::vector<ParaData>()> read;
  std::function<void(const std::function<void(ParaData&)>&)> change;
};

class ParagraphFormat : public Dispatch {
 public:
  explicit ParagraphFormat(ParaTarget target) : t_(std::move(target)) {}
  const DispatchTable& Members() const override;

  bool KeepTogether() const;
  bool KeepWithNext() const;
  double SpaceAfter() const;
  int32_t Alignment() const;
  void SetKeepTogether(bool v);
  void SetKeepWithNext(bool v);
  void SetSpaceAfter(double v);
  void SetAlignment(int32_t v);

 private:
  template <class F>
  auto Read(F field) const;
  ParaTarget t_;
};

// Paragraph alignment and colours (blue-green-red as one number) of the host.
inline constexpr int32_t wdAlignParagraphCenter = 1;
inline constexpr int32_t wdColorBlack = 0;
inline constexpr int32_t wdColorWhite = 0xFFFFFF;
// "No colour of its own": a cell or shading shows what lies behind it.
inline constexpr int32_t wdColorAutomatic = static_cast<int32_t>(0xFF000000u);
// The host's colour number of red, green and blue parts (each 0 to 255).
constexpr int32_t RGB(int32_t red, int32_t green, int32_t blue) {
  return red + green * 0x100 + blue * 0x10000;
}

// Line styles and border indexes of the host.
inline constexpr int32_t wdLineStyleNone = 0;
inline constexpr int32_t wdLineStyleSingle = 1;
inline constexpr int32_t wdBorderTop = -1;
inline constexpr int32_t wdBorderLeft = -2;
inline constexpr int32_t wdBorderBottom = -3;
inline constexpr int32_t wdBorderRight = -4;
inline constexpr int32_t wdBorderHorizontal = -5;
inline constexpr int32_t wdBorderVertical = -6;

struct BorderLine {
  int32_t lineStyle = wdLineStyleNone;
  int32_t color = 0;
  double width = 0.5;
  friend bool operator==(const BorderLine&, const BorderLine&) = default;
};

// Top, left, bottom, right, inside horizontal, inside vertical; and the shadow flag.
struct BorderData {
  std::array<BorderLine, 6> lines{};
  bool shadow = false;
  bool AnyVisible() const;
  void SetAll(int32_t style);
  friend bool operator==(const BorderData&, const BorderData&) = default;
};

struct ShadingData {
  int32_t texture = 0;
  int32_t background = -16777216;  // wdColorAutomatic
  int32_t foreground = -16777216;
  friend bool operator==(const ShadingData&, const ShadingData&) = default;
};

// Reaches one formatting record of a living owner; `get` raises when the owner is gone.
template <class D>
struct Binding {
  std::shared_ptr<Dispatch> owner;
  std::function<D&()> get;
  std::function<void()> changed;
};

class Border : public Dispatch {
 public:
  Border(Binding<BorderData> b, size_t index) : b_(std::move(b)), index_(index) {}
  const DispatchTable& Members() const override;
  int32_t LineStyle() const { return b_.get().lines[index_].lineStyle; }
  int32_t Color() const { return b_.get().lines[index_].color; }
  void SetLineStyle(int32_t v);
  void SetColor(int32_t v);

 private:
  Binding<BorderData> b_;
  size_t index_;
};

class Borders : public Dispatch {
 public:
  explicit Borders(Binding<BorderData> b) : b_(std::move(b)) {}
  const DispatchTable& Members() const override;

  bool Enable() const { return b_.get().AnyVisible(); }
  void SetEnable(bool on);
  int32_t OutsideLineStyle() const { return b_.get().lines[0].lineStyle; }
  int32_t OutsideColor() const { return b_.get().lines[0].color; }
  int32_t InsideLineStyle() const { return b_.get().lines[4].lineStyle; }
  int32_t InsideColor() const { return b_.get().lines[4].color; }
  bool Shadow() const { return b_.get().shadow; }
  void SetOutsideLineStyle(int32_t v);
  void SetOutsideColor(int32_t v);
  void SetInsideLineStyle(int32_t v);
  void SetInsideColor(int32_t v);
  void SetShadow(bool v);
  // wdBorderTop (-1) ... wdBorderVertical (-6).
  std::shared_ptr<Border> Item(int32_t which);
  // The six borders: top, left, bottom, right, horizontal, vertical.
  int32_t Count() const { return 6; }

 private:
  template <class F>
  void Change(F f);
  Binding<BorderData> b_;
};

class Shading : public Dispatch {
 public:
  explicit Shading(Binding<ShadingData> b) : b_(std::move(b)) {}
  const DispatchTable& Members() const override;
  int32_t BackgroundPatternColor() const { return b_.get().background; }
  int32_t ForegroundPatternColor() const { return b_.get().foreground; }
  int32_t Texture() const { return b_.get().texture; }
  void SetBackgroundPatternColor(int32_t v);
  void SetForegroundPatternColor(int32_t v);
  void SetTexture(int32_t v);

 private:
  Binding<ShadingData> b_;
};

}  // namespace qv::word
