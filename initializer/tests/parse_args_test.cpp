#include <gtest/gtest.h>

#include "initializer/dclrs.h"
#include "initializer/program/command_line.h"

namespace qv::initializer {
namespace {

TEST(ParseArgs, TakesOptionsBeforeTheFirstQuoteAndThePathBetweenTheQuotes) {
  struct Case {
    const char* line;
    bool ok;
    const char* prog;
    bool uninstall, unloadOnly;
    const char* base;
  };
  const Case cases[] = {
      {"-w \"/opt/base/\"", true, "-w", false, false, "/opt/base/"},
      {"-w -u \"/opt/base/\"", true, "-w", true, false, "/opt/base/"},
      {"-w -l \"/opt/base/\"", true, "-w", false, true, "/opt/base/"},
      {"-p -u \"/b/\"", true, "-p", true, false, "/b/"},
      {"-w -p \"/b/\"", true, "-w", false, false, "/b/"},  // Word wins
      {"-p -w \"/b/\"", true, "-w", false, false, "/b/"},
      {"-W \"/b/\"", true, "", false, false, "/b/"},             // case matters
      {"-wu \"/b/\"", true, "-w", false, false, "/b/"},          // substrings, not words
      {"-w \"/b/-u/\" -u", true, "-w", false, false, "/b/-u/"},  // after the quote: not options
      {"-w \"/b/", true, "-w", false, false, "/b/"},             // no closing quote: the rest
      {"-w \"\"", true, "-w", false, false, ""},
      {"-w /opt/base/", false, "-w", false, false, ""},
  };
  for (const auto& c : cases) {
    Dclrs args;
    EXPECT_EQ(ParseArgs(c.line, args), c.ok) << c.line;
    EXPECT_EQ(args.prog, c.prog) << c.line;
    EXPECT_EQ(args.uninstall, c.uninstall) << c.line;
    EXPECT_EQ(args.unloadOnly, c.unloadOnly) << c.line;
    EXPECT_EQ(args.basePath, c.base) << c.line;
  }
}

TEST(CommandLine, IsTheArgumentsJoinedWithSingleBlanksAsGiven) {
  const char* argv[] = {"initializer", "-w", "\"/opt/my base/\"", " x "};
  EXPECT_EQ(CommandLine(4, argv), "-w \"/opt/my base/\"  x ");
  EXPECT_EQ(CommandLine(1, argv), "");
}

}  // namespace
}  // namespace qv::initializer
