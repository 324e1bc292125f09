#pragma once
// Shared pieces of the word processor's tests: a fresh profile with an application and one
// document, picture files written on the fly, and the number of a raised error.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "automation/testing/raised_error.h"
#include "platform/testing/temp_profile.h"
#include "word/application.h"
#include "word/document.h"
#include "word/documents.h"
#include "word/inline_shape.h"
#include "word/paragraphs.h"
#include "word/range.h"
#include "word/selection.h"
#include "word/shape.h"
#include "word/table.h"

namespace qv::word::testing {

// Writes a picture file of the given kind ("gif", "png", "jpeg", "bmp") and pixel size.
inline std::filesystem::path WritePicture(const std::filesystem::path& dir, const std::string& name,
                                          const std::string& kind, int w, int h) {
  std::string b;
  auto le16 = [&](int v) {
    b += static_cast<char>(v & 0xFF);
    b += static_cast<char>((v >> 8) & 0xFF);
  };
  auto be16 = [&](int v) {
    b += static_cast<char>((v >> 8) & 0xFF);
    b += static_cast<char>(v & 0xFF);
  };
  if (kind == "gif") {
    b = "GIF89a";
    le16(w);
    le16(h);
    b += std::string("\x80\x00\x00", 3);
  } else if (kind == "png") {
    b = std::string("\x89PNG\r\n\x1a\n", 8) + std::string("\0\0\0\x0dIHDR", 8);
    be16(0);
    be16(w);
    be16(0);
    be16(h);
    b += std::string("\x08\x02\x00\x00\x00", 5);
  } else if (kind == "jpeg") {
    b = std::string("\xFF\xD8\xFF\xE0", 4);
    be16(4);
    b += "JF";
    b += std::string("\xFF\xC0", 2);
    be16(11);
    b += '\x08';
    be16(h);
    be16(w);
    b += std::string("\x01\x01\x11\x00", 4);
  } else {
    b = "BM" + std::string(16, '\0');
    le16(w);
    le16(0);
    le16(h);
    le16(0);
    b += std::string(8, '\0');
  }
  const auto path = dir / name;
  std::ofstream(path, std::ios::binary) << b;
  return path;
}

using qv::testing::ErrorNumber;

class WordTest : public ::testing::Test {
 protected:
  WordTest() : app(std::make_shared<Application>()), doc(app->Documents()->Add()) {}

  std::string Text() { return doc->Content()->Text(); }
  std::shared_ptr<Range> R(int64_t s, int64_t e) { return doc->Range(s, e); }
  std::filesystem::path Gif(const std::string& name = "pic.gif", int w = 16, int h = 8) {
    return WritePicture(profile.Dir(), name, "gif", w, h);
  }
  void Check() { doc->GetStory().CheckInvariants(); }

  qv::testing::TempProfile profile;
  std::shared_ptr<Application> app;
  std::shared_ptr<Document> doc;
};

}  // namespace qv::word::testing
