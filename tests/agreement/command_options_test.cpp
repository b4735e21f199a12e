// The command line both commands share: argument lists and what each gives.
#include "cli/core/command_options.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(CommandOptions, FollowsTheConventionsOfRenamingTools) {
  struct {
    std::vector<std::string> args;
    int exitCode;         // -1: the command runs
    std::string printed;  // part of the text, on stderr for exit 2
    bool dryRun;
    std::vector<std::string> files, from0;
  } const cases[] = {
      {{"-n", "a"}, -1, "", true, {"a"}, {}},
      {{"--dry-run", "a", "b"}, -1, "", true, {"a", "b"}, {}},
      {{"a", "-h"}, 0, "--dry-run", false, {}, {}},
      {{"--version"}, 0, "translit 9.9", false, {}, {}},
      {{"a", "--frob", "b"}, 2, "unknown option --frob", false, {}, {}},
      {{"a", "--", "-n", "--frob"}, -1, "", false, {"a", "-n", "--frob"}, {}},
      {{"--from0", "list", "--from0", "-"}, -1, "", false, {}, {"list", "-"}},
      {{"-v", "-q", "a"}, 2, "--quiet", false, {}, {}},
      {{"--reverse", "--bogus", "a"}, 2, "unknown option --bogus", false, {}, {}},
      {{"--check", "a.pch", "b.pch"}, 2, "--check takes one profile", false, {}, {}},
      {{"-t"}, -1, "", false, {}, {}},
      {{"-t", "a", "b"}, -1, "", false, {"a", "b"}, {}},
      {{"-t", "-n", "a"}, 2, "-t takes no", false, {}, {}},
      {{"--text", "--from0", "-"}, 2, "-t takes no", false, {}, {}},
  };
  for (const auto& c : cases) {
    const std::string shown = ::testing::PrintToString(c.args);
    TCommandOptions options;
    const TParseOutcome outcome = ParseCommandLine("translit", "9.9", c.args, &options);
    EXPECT_EQ(outcome.Run, c.exitCode < 0) << shown;
    EXPECT_EQ(ExitCode(outcome.Status), c.exitCode < 0 ? 0 : c.exitCode) << shown;
    EXPECT_EQ(outcome.ToStandardError, c.exitCode == 2) << shown;
    EXPECT_TRUE(c.printed.empty() ? outcome.Text.empty()
                                  : outcome.Text.find(c.printed) != std::string::npos)
        << shown << ": " << outcome.Text;
    if (outcome.Run) {
      EXPECT_EQ(options.DryRun, c.dryRun) << shown;
      EXPECT_EQ(options.Files, c.files) << shown;
      EXPECT_EQ(options.From0, c.from0) << shown;
    }
  }
  // The profile of --check is its one argument, wherever --reverse stands.
  for (const auto& args : {std::vector<std::string>{"--check", "--reverse", "x.pch"},
                           std::vector<std::string>{"--check", "x.pch", "--reverse"},
                           std::vector<std::string>{"--reverse", "--check", "x.pch"}}) {
    TCommandOptions options;
    EXPECT_TRUE(ParseCommandLine("translit", "9.9", args, &options).Run);
    EXPECT_EQ(options.Check, "x.pch");
    EXPECT_TRUE(options.Reverse);
    EXPECT_TRUE(options.Files.empty());
  }
}

}  // namespace
