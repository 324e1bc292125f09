#include <gtest/gtest.h>

#include <fstream>

#include "automation/testing/raised_error.h"
#include "platform/testing/temp_profile.h"
#include "ui/controls.h"
#include "ui/form.h"
#include "ui/tests/ui_fixture.h"

namespace qv::ui {
namespace {

using qv::testing::ErrorNumber;
using testing::UiTest;

TEST_F(UiTest, ListSelectionRaisesClickAndFollowsItsEntry) {
  Form f("dlgCreateQuestion");
  auto& list = f.Add<ListBox>("lstQTypes");
  int clicks = 0;
  list.OnClick = [&] { ++clicks; };
  for (const char* t : {"True/False", "Multiple Choice", "Hot Spot"})
    list.AddItem(t);
  EXPECT_EQ(list.ListCount(), 3);
  EXPECT_EQ(list.ListIndex(), -1);
  EXPECT_EQ(list.Text(), "");
  list.ListIndex(2);
  list.ListIndex(2);  // no change, no click
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(list.Text(), "Hot Spot");
  list.AddItem("Fill-in-the-Blank", 0);  // inserted before: the selection follows its entry
  EXPECT_EQ(list.ListIndex(), 3);
  EXPECT_EQ(list.List(0), "Fill-in-the-Blank");
  EXPECT_EQ(list.List(9), "");
  list.RemoveItem(3);
  EXPECT_EQ(list.ListIndex(), -1);
  list.Text("Multiple Choice");
  EXPECT_EQ(list.ListIndex(), 2);
  EXPECT_EQ(ErrorNumber([&] { list.ListIndex(4); }), err::kInvalidPropertyValue);
  EXPECT_EQ(ErrorNumber([&] { list.ListIndex(-2); }), err::kInvalidPropertyValue);
  EXPECT_EQ(ErrorNumber([&] { list.RemoveItem(7); }), automation::err::kInvalidCall);
  list.Clear();
  EXPECT_EQ(list.ListCount(), 0);
  EXPECT_EQ(list.ListIndex(), -1);
}

TEST_F(UiTest, DoubleClickOnAListEntrySelectsItFirst) {
  Form f("dlgCreateQuestion");
  auto& list = f.Add<ListBox>("lstQTypes");
  list.AddItem("a");
  list.AddItem("b");
  std::vector<std::string> seen;
  list.OnClick = [&] { seen.push_back("Click " + list.Text()); };
  list.OnDblClick = [&] { seen.push_back("DblClick " + list.Text()); };
  list.DblClickItem(1);
  list.Enabled(false);
  list.DblClickItem(0);
  EXPECT_EQ(seen, (std::vector<std::string>{"Click b", "DblClick b"}));
}

TEST_F(UiTest, CheckBoxAndTextChangesRaiseTheirEvents) {
  Form f("dlgX");
  auto& check = f.Add<CheckBox>("chk");
  auto& box = f.Add<TextBox>("txt");
  int clicks = 0, changes = 0;
  check.OnClick = [&] { ++clicks; };
  box.OnChange = [&] { ++changes; };
  check.Click();
  EXPECT_EQ(check.Value(), vbChecked);
  check.Value(vbChecked);
  check.Click();
  EXPECT_EQ(check.Value(), vbUnchecked);
  EXPECT_EQ(clicks, 2);
  EXPECT_EQ(ErrorNumber([&] { check.Value(3); }), err::kInvalidPropertyValue);
  box.Text("4");
  box.Text("4");
  box.MaxLength = 2;
  box.Type('2');
  box.Type('9');  // beyond the length limit
  box.Locked = true;
  box.Type('1');
  EXPECT_EQ(box.Text(), "42");
  EXPECT_EQ(changes, 2);
}

TEST_F(UiTest, DisabledControlsIgnoreTheUserAndCannotTakeTheFocus) {
  auto f = std::make_shared<Form>("dlgX");
  auto& b = f->Add<CommandButton>("cmd");
  int clicks = 0;
  b.OnClick = [&] { ++clicks; };
  b.Enabled(false);
  b.Click();
  b.Value(true);
  EXPECT_EQ(clicks, 0);
  EXPECT_EQ(ErrorNumber([&] { b.SetFocus(); }), automation::err::kInvalidCall);
  b.Enabled(true);
  b.Value(true);
  EXPECT_EQ(clicks, 1);
}

TEST_F(UiTest, OnlyOneDefaultAndOneCancelButtonPerForm) {
  Form f("dlgX");
  auto& a = f.Add<CommandButton>("a");
  auto& b = f.Add<CommandButton>("b");
  a.Default(true);
  b.Default(true);
  a.Cancel(true);
  EXPECT_FALSE(a.Default());
  EXPECT_TRUE(b.Default());
  EXPECT_TRUE(a.Cancel());
  EXPECT_FALSE(b.Cancel());
}

TEST_F(UiTest, TabIndexReordersTheOthers) {
  Form f("dlgX");
  auto& a = f.Add<TextBox>("a");
  auto& b = f.Add<TextBox>("b");
  auto& c = f.Add<TextBox>("c");
  c.TabIndex(0);
  EXPECT_EQ(c.TabIndex(), 0);
  EXPECT_EQ(a.TabIndex(), 1);
  EXPECT_EQ(b.TabIndex(), 2);
  EXPECT_EQ(f.TabOrder().front(), &c);
}

TEST_F(UiTest, GeometryRejectsNegativeSizes) {
  Form f("dlgX");
  auto& frame = f.Add<Frame>("QuestionTypes");
  frame.Move(90, 45, 3120, 2040);
  auto& list = f.Add<ListBox>("lstQTypes");
  list.Container(&frame);
  EXPECT_EQ(list.Container(), &frame);
  EXPECT_EQ(frame.Width(), 3120);
  EXPECT_EQ(ErrorNumber([&] { frame.Width(-1); }), err::kInvalidPropertyValue);
  EXPECT_EQ(ErrorNumber([&] { frame.Move(0, 0, 10, -1); }), err::kInvalidPropertyValue);
}

// ---- pictures ----

std::string Gif(int w, int h) {
  std::string b = "GIF89a";
  b += static_cast<char>(w & 0xFF);
  b += static_cast<char>(w >> 8);
  b += static_cast<char>(h & 0xFF);
  b += static_cast<char>(h >> 8);
  return b + std::string(8, '\0');
}

std::string Be32(uint32_t v) {
  return {static_cast<char>(v >> 24), static_cast<char>(v >> 16), static_cast<char>(v >> 8),
          static_cast<char>(v)};
}

std::string Le32(int32_t v) {
  const auto u = static_cast<uint32_t>(v);
  return {static_cast<char>(u), static_cast<char>(u >> 8), static_cast<char>(u >> 16),
          static_cast<char>(u >> 24)};
}

std::string Png(uint32_t w, uint32_t h) {
  return std::string("\x89PNG\r\n\x1a\n", 8) + Be32(13) + "IHDR" + Be32(w) + Be32(h) +
         std::string(5, '\0');
}

std::string Jpeg(int w, int h) {
  // SOI, an APP0 segment to skip, then a baseline frame header.
  std::string b = "\xFF\xD8";
  b += std::string("\xFF\xE0\x00\x10JFIF\x00", 9) + std::string(9, '\0');
  b += std::string("\xFF\xC0\x00\x11\x08", 5);
  b += static_cast<char>(h >> 8);
  b += static_cast<char>(h & 0xFF);
  b += static_cast<char>(w >> 8);
  b += static_cast<char>(w & 0xFF);
  return b + std::string(12, '\0');
}

std::string Bmp(int32_t w, int32_t h) {
  return "BM" + std::string(12, '\0') + Le32(40) + Le32(w) + Le32(h) + std::string(28, '\0');
}

TEST(PictureHeaders, SizesOfTheFourFormats) {
  struct Case {
    std::string bytes;
    PictureFormat format;
    int32_t w, h;
  };
  const Case cases[] = {
      {Gif(20, 17), PictureFormat::Gif, 20, 17},
      {Png(640, 480), PictureFormat::Png, 640, 480},
      {Jpeg(300, 200), PictureFormat::Jpeg, 300, 200},
      {Bmp(31, 7), PictureFormat::Bmp, 31, 7},
      {Bmp(31, -7), PictureFormat::Bmp, 31, 7},  // top-down bitmap
  };
  for (const auto& c : cases) {
    const auto size = ReadPictureSize(c.bytes);
    ASSERT_TRUE(size) << c.w;
    EXPECT_EQ(size->format, c.format);
    EXPECT_EQ(size->width, c.w);
    EXPECT_EQ(size->height, c.h);
  }
  // Not pictures, or cut short before the size.
  for (const std::string& bad :
       {std::string(), std::string("hello world, not a picture"), Gif(1, 1).substr(0, 8),
        Png(1, 1).substr(0, 20), Jpeg(1, 1).substr(0, 25), std::string("\xFF\xD8\xFF\x01", 4),
        Bmp(0, 5)})
    EXPECT_FALSE(ReadPictureSize(bad)) << bad.size();
}

TEST_F(UiTest, ImageLoadsPicturesAndReportsMissingOrInvalidFiles) {
  qv::testing::TempProfile profile;
  const auto gif = (profile.Dir() / "qti0.gif").string();
  const auto text = (profile.Dir() / "notes.bmp").string();
  std::ofstream(gif, std::ios::binary) << Gif(40, 30);
  std::ofstream(text) << "not a picture";

  Form f("dlgX");
  auto& img = f.Add<Image>("picPreview");
  img.LoadPicture(gif);
  EXPECT_EQ(img.Picture().path, gif);
  EXPECT_EQ(img.Width(), 40 * kTwipsPerPixel);  // an image without Stretch takes the size
  EXPECT_EQ(img.Height(), 30 * kTwipsPerPixel);

  auto& box = f.Add<PictureBox>("Banner");
  box.Move(0, 0, 500, 500);
  box.LoadPicture(gif);
  EXPECT_EQ(box.Width(), 500);
  EXPECT_EQ(box.Picture().size.width, 40);

  EXPECT_EQ(ErrorNumber([&] { img.LoadPicture((profile.Dir() / "missing.gif").string()); }),
            automation::err::kFileNotFound);
  EXPECT_EQ(ErrorNumber([&] { img.LoadPicture(profile.Dir().string()); }),
            automation::err::kFileNotFound);
  EXPECT_EQ(ErrorNumber([&] { img.LoadPicture(text); }), err::kInvalidPicture);
  EXPECT_EQ(img.Picture().path, gif);  // a failed load keeps the picture shown
  img.LoadPicture("");
  EXPECT_TRUE(img.Picture().Empty());
}

}  // namespace
}  // namespace qv::ui
