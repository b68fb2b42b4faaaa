#include <gtest/gtest.h>

#include <regex>
#include <set>
#include <sstream>

#include "command_line.h"
#include "commands.h"
#include "option_usage.h"

namespace orvandel::cli {
namespace {

struct Outcome {
  int status;
  std::string out;
  std::string err;
};

Outcome RunWith(const std::vector<std::string>& args) {
  std::ostringstream out;
  std::ostringstream err;
  const int status = RunCommandLine(args, out, err);
  return {status, out.str(), err.str()};
}

// The "--name" words of a text.
std::set<std::string> OptionsIn(const std::string& text) {
  std::set<std::string> options;
  const std::regex option(R"(--[a-z][a-z-]*)");
  for (auto it = std::sregex_iterator(text.begin(), text.end(), option);
       it != std::sregex_iterator(); ++it)
    options.insert(it->str());
  return options;
}

// The options of a command's details: the first word of each entry.
std::set<std::string> DescribedOptions(const Command& command) {
  std::set<std::string> options;
  std::istringstream lines{std::string(command.details)};
  for (std::string line; std::getline(lines, line);) {
    if (line.starts_with("  --")) options.insert(line.substr(2, line.find(' ', 2) - 2));
  }
  return options;
}

TEST(CommandLineTest, VersionIsTheProjectsAndNeedsNothingElse) {
  const Outcome run = RunWith({"--version"});
  EXPECT_EQ(run.status, 0);
  EXPECT_TRUE(std::regex_match(run.out, std::regex("orvandel [0-9]+\\.[0-9]+\\.[0-9]+\n")))
      << run.out;
  EXPECT_EQ(run.err, "");
}

TEST(CommandLineTest, EveryWayToAskForHelpOnACommandGivesItsUsage) {
  for (const Command& command : Commands()) {
    const std::string name(command.name);
    const Outcome help = RunWith({"help", name});
    EXPECT_EQ(help.status, 0);
    EXPECT_TRUE(help.out.starts_with("Usage:\n" + std::string(command.synopsis) + "\n"));
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {name, "--help"}, {name, "a.bmp", "-h"}, {name, "a", "b", "--bogus", "--help"}}) {
      EXPECT_EQ(RunWith(args).out, help.out) << args.back();
    }
    // The whole usage holds the same section.
    EXPECT_NE(FullUsage().find(help.out.substr(help.out.find("\n\n") + 2)), std::string::npos);
  }
}

TEST(CommandLineTest, HelpWithoutACommandShowsEverything) {
  for (const char* asked : {"help", "--help", "-h"}) {
    const Outcome run = RunWith({asked});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, FullUsage());
  }
  for (const Command& command : Commands())
    EXPECT_NE(FullUsage().find(command.synopsis), std::string::npos);
}

TEST(CommandLineTest, WrongUsageIsOneLineNamingTheHelpConcerned) {
  const Outcome generate = RunWith({"generate", "map.bmp"});
  EXPECT_EQ(generate.status, 2);
  EXPECT_EQ(generate.err,
            "orvandel-cli: generate needs MAP and OUTPUT (see \"orvandel-cli help generate\")\n");
  EXPECT_EQ(generate.out, "");
  struct Case {
    std::vector<std::string> args;
    const char* reason;
  } cases[] = {
      {{}, "no command given"},
      {{"frobnicate"}, "unknown command frobnicate"},
      {{"help", "frobnicate"}, "unknown command frobnicate"},
      {{"help", "generate", "render"}, "help takes one COMMAND"},
      {{"--version", "extra"}, "--version takes nothing more"},
  };
  for (const Case& c : cases) {
    const Outcome run = RunWith(c.args);
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.err,
              "orvandel-cli: " + std::string(c.reason) + " (see \"orvandel-cli --help\")\n");
  }
}

TEST(CommandLineTest, SynopsisAndOptionEntriesNameTheSameOptions) {
  for (const Command& command : Commands()) {
    EXPECT_EQ(OptionsIn(std::string(command.synopsis)), DescribedOptions(command)) << command.name;
  }
}

TEST(CommandLineTest, EveryDescribedOptionIsKnownToItsCommand) {
  for (const Command& command : Commands()) {
    for (const std::string& option : DescribedOptions(command)) {
      const Outcome run = RunWith({std::string(command.name), option, "1"});
      EXPECT_EQ(run.err.find("unknown option"), std::string::npos) << option;
    }
  }
}

// The layout the man page writer reads: a synopsis fills lines of up to 80 columns, each
// continued six deep; an option's help starts at the help column, beside the option when
// two blanks fit between them, else on the next line, and so does every line of it.
TEST(CommandLineTest, UsageLayout) {
  const std::string a63(63, 'a');  // "  orvandel-cli x " and a63 fill 80 columns
  const struct {
    std::string made;
    std::string expected;
  } cases[] = {
      {Synopsis({"orvandel-cli", "x", a63}), "  orvandel-cli x " + a63 + "\n"},
      {Synopsis({"orvandel-cli", "x", a63 + "a", "[--b B]"}),
       "  orvandel-cli x\n      " + a63 + "a [--b B]\n"},
      {OptionEntry("--ab C", "help", 10), "  --ab C  help\n"},
      {OptionEntry("--abc D", "help\nmore", 10), "  --abc D\n          help\n          more\n"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(c.made, c.expected);
}

TEST(CommandLineTest, UsageFitsEightyColumns) {
  std::istringstream lines(FullUsage());
  for (std::string line; std::getline(lines, line);)
    EXPECT_LE(line.size(), 80u) << line;
}

}  // namespace
}  // namespace orvandel::cli
