// Whole-file reads that see one file from start to end (whatever replaces it meanwhile, and
// streams without a size), and damaged files kept aside without losing an earlier kept copy.

#include "platform/files.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <fstream>
#include <thread>

#include "platform/testing/temp_profile.h"

namespace qv::platform {
namespace {

TEST(ReadWholeFile, ReadsAPipeAndRefusesWhatIsTooLarge) {
  qv::testing::TempProfile profile;
  const auto fifo = profile.Dir() / "pipe";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  std::thread writer([&] { std::ofstream(fifo) << "through a pipe"; });
  EXPECT_EQ(ReadWholeFile(fifo).value_or("<none>"), "through a pipe");
  writer.join();

  const auto file = profile.Dir() / "ten";
  std::ofstream(file) << "0123456789";
  EXPECT_EQ(ReadWholeFile(file, 10).value_or("<none>"), "0123456789");
  EXPECT_FALSE(ReadWholeFile(file, 9));
  EXPECT_FALSE(ReadWholeFile(profile.Dir() / "missing"));
}

TEST(ReadWholeFile, AFileReplacedWhileItIsReadIsSeenWhole) {
  qv::testing::TempProfile profile;
  const auto file = profile.Dir() / "store.json";
  const std::string small(100, 's');
  const std::string large(200000, 'L');
  ASSERT_TRUE(WriteFileAtomically(file, small));
  std::atomic<bool> stop{false};
  std::thread writer([&] {
    for (int i = 0; !stop; ++i)
      ASSERT_TRUE(WriteFileAtomically(file, i % 2 ? small : large));
  });
  int reads = 0;
  for (; reads < 400; ++reads) {
    const auto text = ReadWholeFile(file);
    ASSERT_TRUE(text) << "read " << reads;
    ASSERT_TRUE(*text == small || *text == large) << "a mixed or short read of " << text->size();
  }
  stop = true;
  writer.join();
}

TEST(WriteFileAtomically, NamesAsLongAsTheFileSystemAllows) {
  qv::testing::TempProfile profile;
  for (size_t length : {243u, 250u, 255u}) {
    const auto file = profile.Dir() / (std::string(length - 4, 'n') + ".doc");
    ASSERT_TRUE(WriteFileAtomically(file, "saved")) << length;
    EXPECT_EQ(ReadWholeFile(file).value_or(""), "saved");
  }
  // Multi-byte characters are not cut in the middle of the temporary name.
  std::string wide;
  while (wide.size() + 2 <= 250)
    wide += "\xc3\xa9";
  ASSERT_TRUE(WriteFileAtomically(profile.Dir() / wide, "wide"));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(profile.Dir()),
                          std::filesystem::directory_iterator()),
            4);
}

TEST(KeepAside, EveryDamagedCopyIsKept) {
  qv::testing::TempProfile profile;
  const auto file = profile.Dir() / "Normal.json";
  std::ofstream(file) << "first";
  EXPECT_EQ(KeepAside(file).value_or(""), profile.Dir() / "Normal.json.damaged");
  std::ofstream(file) << "second";
  EXPECT_EQ(KeepAside(file).value_or(""), profile.Dir() / "Normal.json.damaged.1");
  EXPECT_FALSE(std::filesystem::exists(file));
  EXPECT_EQ(ReadWholeFile(profile.Dir() / "Normal.json.damaged").value_or(""), "first");
  EXPECT_EQ(ReadWholeFile(profile.Dir() / "Normal.json.damaged.1").value_or(""), "second");
  EXPECT_FALSE(KeepAside(file)) << "nothing to keep";
}

}  // namespace
}  // namespace qv::platform
