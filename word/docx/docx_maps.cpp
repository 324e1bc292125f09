#include "word/docx/docx_maps.h"

#include <utility>

namespace qv::word::docx {

namespace {

template <size_t N>
std::string NameOf(const std::pair<int32_t, const char*> (&table)[N], int32_t value) {
  for (const auto& [v, name] : table)
    if (v == value) return name;
  return table[0].second;
}

template <size_t N>
int32_t ValueOf(const std::pair<int32_t, const char*> (&table)[N], const std::string& name,
                int32_t fallback) {
  for (const auto& [v, n] : table)
    if (name == n) return v;
  return fallback;
}

const std::pair<int32_t, const char*> kAlign[] = {
    {0, "left"}, {1, "center"}, {2, "right"}, {3, "both"}};
const std::pair<int32_t, const char*> kVAlign[] = {{0, "top"}, {1, "center"}, {3, "bottom"}};
// wdLineStyle: none, single, dot, dash small gap, dash large gap, dot dash, dot dot dash, double,
// triple; the thicker compound lines read as double.
const std::pair<int32_t, const char*> kBorder[] = {
    {0, "nil"},    {1, "single"},          {2, "dotted"},     {3, "dashSmallGap"},
    {4, "dashed"}, {5, "dotDash"},         {6, "dotDotDash"}, {7, "double"},
    {8, "triple"}, {22, "dashDotStroked"}, {24, "outset"},    {25, "inset"}};
// wdTexture: none (clear), solid, and the percentages in tenths of a percent.
const std::pair<int32_t, const char*> kShading[] = {
    {0, "clear"},   {1000, "solid"}, {50, "pct5"},   {100, "pct10"}, {125, "pct12"},
    {150, "pct15"}, {200, "pct20"},  {250, "pct25"}, {300, "pct30"}, {350, "pct35"},
    {375, "pct37"}, {400, "pct40"},  {450, "pct45"}, {500, "pct50"}, {550, "pct55"},
    {600, "pct60"}, {625, "pct62"},  {650, "pct65"}, {700, "pct70"}, {750, "pct75"},
    {800, "pct80"}, {850, "pct85"},  {875, "pct87"}, {900, "pct90"}, {950, "pct95"}};
const std::pair<int32_t, const char*> kHorizontal[] = {
    {2, "column"}, {0, "margin"}, {1, "page"}, {3, "character"}};
const std::pair<int32_t, const char*> kVertical[] = {
    {2, "paragraph"}, {0, "margin"}, {1, "page"}, {3, "line"}};
const std::pair<int32_t, const char*> kWrapSide[] = {
    {0, "bothSides"}, {1, "left"}, {2, "right"}, {3, "largest"}};
const std::pair<int32_t, const char*> kGeometry[] = {
    {1, "rect"},        {2, "parallelogram"},  {3, "trapezoid"},  {4, "diamond"},
    {5, "roundRect"},   {6, "octagon"},        {7, "triangle"},   {8, "rtTriangle"},
    {9, "ellipse"},     {10, "hexagon"},       {11, "plus"},      {12, "pentagon"},
    {13, "can"},        {14, "cube"},          {15, "bevel"},     {16, "foldedCorner"},
    {17, "smileyFace"}, {18, "donut"},         {19, "noSmoking"}, {20, "blockArc"},
    {21, "heart"},      {22, "lightningBolt"}, {23, "sun"},       {24, "moon"},
    {33, "rightArrow"}, {34, "leftArrow"},     {35, "upArrow"},   {36, "downArrow"},
    {92, "star5"}};
// msoLineDashStyle: solid, square dot, round dot, dash, dash dot, dash dot dot, long dash, long
// dash dot.
const std::pair<int32_t, const char*> kDash[] = {
    {1, "solid"},   {2, "sysDash"},      {3, "sysDot"}, {4, "dash"},
    {5, "dashDot"}, {6, "lgDashDotDot"}, {7, "lgDash"}, {8, "lgDashDot"}};
// msoLineStyle: single, thin thin, thin thick, thick thin, thick between thin.
const std::pair<int32_t, const char*> kCompound[] = {
    {1, "sng"}, {2, "dbl"}, {3, "thinThick"}, {4, "thickThin"}, {5, "tri"}};

// wdViewType: normal, outline, print layout, master document, web layout.
const std::pair<int32_t, const char*> kView[] = {
    {3, "print"}, {1, "normal"}, {2, "outline"}, {5, "masterPages"}, {6, "web"}};

}  // namespace

std::string ViewName(int32_t v) {
  return NameOf(kView, v);
}
int32_t ViewFrom(const std::string& n) {
  return ValueOf(kView, n, 3);
}

std::string AlignmentName(int32_t a) {
  return NameOf(kAlign, a);
}
int32_t AlignmentFrom(const std::string& n) {
  if (n == "start") return 0;
  if (n == "end") return 2;
  if (n == "distribute") return 3;
  return ValueOf(kAlign, n, 0);
}
std::string VerticalAlignmentName(int32_t a) {
  return NameOf(kVAlign, a);
}
int32_t VerticalAlignmentFrom(const std::string& n) {
  return ValueOf(kVAlign, n, 0);
}
std::string BorderStyleName(int32_t s) {
  for (const auto& [v, name] : kBorder)
    if (v == s) return name;
  return "single";
}
int32_t BorderStyleFrom(const std::string& n) {
  if (n == "none") return 0;
  return ValueOf(kBorder, n, 1);
}
std::string ShadingPatternName(int32_t t) {
  return NameOf(kShading, t);
}
int32_t ShadingPatternFrom(const std::string& n) {
  return ValueOf(kShading, n, 0);
}
std::string HorizontalRelationName(int32_t r) {
  return NameOf(kHorizontal, r);
}
int32_t HorizontalRelationFrom(const std::string& n) {
  return ValueOf(kHorizontal, n, 2);
}
std::string VerticalRelationName(int32_t r) {
  return NameOf(kVertical, r);
}
int32_t VerticalRelationFrom(const std::string& n) {
  return ValueOf(kVertical, n, 2);
}
std::string WrapSideName(int32_t s) {
  return NameOf(kWrapSide, s);
}
int32_t WrapSideFrom(const std::string& n) {
  return ValueOf(kWrapSide, n, 0);
}
std::string PresetGeometryName(int32_t t) {
  return NameOf(kGeometry, t);
}
int32_t PresetGeometryFrom(const std::string& n) {
  return ValueOf(kGeometry, n, 1);
}
std::string DashName(int32_t d) {
  return NameOf(kDash, d);
}
int32_t DashFrom(const std::string& n) {
  if (n == "dot") return 3;
  if (n == "sysDashDot") return 5;
  if (n == "sysDashDotDot") return 6;
  return ValueOf(kDash, n, 1);
}
std::string LineCompoundName(int32_t s) {
  return NameOf(kCompound, s);
}
int32_t LineCompoundFrom(const std::string& n) {
  return ValueOf(kCompound, n, 1);
}

}  // namespace qv::word::docx
