// The bounds on the markup the parser is given: ordinary pages pass unchanged however long, deep
// ones are closed at the bound without losing an element, and pages of every shape load in time
// proportional to their size.

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <functional>

#include "browser/dom/html_parser.h"
#include "browser/dom/markup_bounds.h"
#include "browser/tests/browser_fixture.h"

namespace qv::browser {
namespace {

using testing::LoadedPage;

constexpr MarkupBounds kBounds{100, 8};

std::string Repeat(const std::string& piece, size_t times) {
  std::string out;
  out.reserve(piece.size() * times);
  for (size_t i = 0; i < times; ++i)
    out += piece;
  return out;
}

TEST(MarkupBounds, LongPagesOfUnclosedElementsPassUnchanged) {
  // Elements that the next of their kind closes, by the thousand: none of them counts as open.
  const std::string pages[] = {
      "<ul>" + Repeat("<li>item <b>bold</b>", 3000) + "</ul>",
      "<table>" + Repeat("<tr><td>a<td><div>b</div><th>c", 3000) + "</table>",
      "<table>" + Repeat("<tbody><tr><td>a", 3000) + "</table>",
      Repeat("<p>para <span>x</span><div>block</div>", 3000),
      Repeat("<p>para<p><i>more</i>", 3000),
      "<select>" + Repeat("<optgroup label=g><option>a<option>b", 3000) + "</select>",
      "<dl>" + Repeat("<dt>term<dd>meaning", 3000) + "</dl>",
      Repeat("<h1>one<h2>two", 3000),
      Repeat("<a href=x>link<a href=y>other", 3000),
      Repeat("<form><input name=a></form>", 3000),
      Repeat("<div><span></div>", 3000),  // the </div> closes the span too
      "<svg>" + Repeat("<path d='M0 0'/>", 3000) + "</svg>",
      // Markup inside scripts, styles, comments and attribute values is not markup.
      "<script>" + Repeat("if (a<b) s += '<div>';", 3000) + "</script>" +
          Repeat("<!-- <div> -->", 3000) + "<style>" + Repeat("<div>", 3000) + "</STYLE>" +
          Repeat("<span title='<div>'></span>", 3000),
      // A tag with as many attributes as it may keep.
      "<input a=1 b='2' c=\"3\" d e=5 f=6 g=7 h=8>",
  };
  for (const auto& page : pages)
    EXPECT_FALSE(BoundMarkup(page, kBounds).has_value()) << page.substr(0, 60);
}

TEST(MarkupBounds, DeepMarkupIsClosedAtTheBoundWithoutLosingAnElement) {
  std::string html;
  for (int i = 0; i < 300; ++i)
    html += "<div id=d" + std::to_string(i) + ">";
  html += "<b id=deepest>text</b>";
  for (int i = 0; i < 300; ++i)
    html += "</div>";
  html += "<p id=after>after</p>";
  const auto bounded = BoundMarkup(html, kBounds);
  ASSERT_TRUE(bounded);
  auto document = HTMLDocument::Create({});
  document->ReplaceContent(*bounded);
  for (int i = 0; i < 300; ++i)
    ASSERT_TRUE(document->GetElementById("d" + std::to_string(i))) << i;
  const auto deepest = document->GetElementById("deepest");
  ASSERT_TRUE(deepest);
  // Beyond the bound an element keeps no children: what it held follows it.
  EXPECT_LE(deepest->Depth(), 100 + 2);
  EXPECT_EQ(deepest->TextContent(), "");
  EXPECT_EQ(deepest->Parent()->TextContent(), "text");
  // The end tags of the elements closed early are dropped, so the outer ones close where the
  // page closes them: what follows is the body's again.
  EXPECT_EQ(document->GetElementById("after")->Parent(), document->Body().get());
  // Within a fragment the elements open around it count too.
  EXPECT_TRUE(BoundMarkup("<div><div></div></div>", kBounds, 99).has_value());
  EXPECT_FALSE(BoundMarkup("<div><div></div></div>", kBounds, 98).has_value());
}

TEST(MarkupBounds, TagsKeepTheirFirstAttributes) {
  std::string tag = "<input";
  for (int i = 0; i < 20; ++i)
    tag += " a" + std::to_string(i) + "='v>" + std::to_string(i) + "'";
  const auto bounded = BoundMarkup(tag + "/>after", kBounds);
  ASSERT_TRUE(bounded);
  EXPECT_EQ(*bounded,
            "<input a0='v>0' a1='v>1' a2='v>2' a3='v>3' a4='v>4' a5='v>5' a6='v>6' "
            "a7='v>7'/>after");
}

// Loading a page of `piece` repeated to about 1 MB takes about ten times as long as one of about
// 100 KB: nothing in parsing, building the tree, styles or the page's walks costs the square of
// the page's size. Times are compared, not measured against a clock, so a slow or busy machine
// passes; the bound is generous against noise.
double LoadSeconds(const std::string& html) {
  const auto start = std::chrono::steady_clock::now();
  LoadedPage page(html);
  EXPECT_GT(page.Document().All().size(), 3u);
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

TEST(MarkupBounds, PagesLoadInTimeProportionalToTheirSize) {
  struct Shape {
    const char* name;
    std::function<std::string(size_t bytes)> make;
  };
  auto repeated = [](std::string head, std::string piece, std::string tail = "") {
    return [=](size_t bytes) { return head + Repeat(piece, bytes / piece.size()) + tail; };
  };
  const Shape shapes[] = {
      {"nested blocks", repeated("", "<div>")},
      {"nested inline elements", repeated("", "<b><i>x")},
      {"flat list", repeated("<ul>", "<li>item</li>")},
      {"many attributes", repeated("<div", " a=1", ">")},
      {"long text", repeated("<p>", "words and more words ")},
  };
  for (const auto& shape : shapes) {
    const std::string small = shape.make(100 << 10);
    const std::string large = shape.make(1 << 20);
    // A floor of 50 ms keeps a page too quick to time from making the ratio noise (the square
    // of the size would still show: a page ten times larger would take seconds).
    const double smallSeconds = std::max(std::min(LoadSeconds(small), LoadSeconds(small)), 0.05);
    double largeSeconds = LoadSeconds(large);
    // A busy machine can stall one load; a second one tells.
    if (largeSeconds / smallSeconds >= 25.0)
      largeSeconds = std::min(largeSeconds, LoadSeconds(large));
    EXPECT_LT(largeSeconds / smallSeconds, 25.0)
        << shape.name << ": " << smallSeconds << " s for 100 KB, " << largeSeconds << " s for 1 MB";
  }
}

}  // namespace
}  // namespace qv::browser
