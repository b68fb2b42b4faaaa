#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "orvandel/fileio/failure.h"
#include "orvandel/fileio/thread_count.h"

namespace orvandel::cli {

// Wrong usage of the command line: exit status 2, with the reason and where to find the
// usage of the command concerned, or of all when command is empty.
class UsageError : public std::runtime_error {
 public:
  explicit UsageError(const std::string& reason, std::string_view command = {})
      : std::runtime_error(reason), command_(command) {}
  std::string_view Command() const { return command_; }

 private:
  std::string_view command_;
};

// How often an option may stand in a command line; given twice, the last one counts,
// except for a repeatable option, each of which counts.
enum class Presence {
  kOptional,    // "[--zoom Z]"
  kRequired,    // "--water TEXT": wrong usage when it is missing
  kRepeatable,  // "[--height INDEX=TEXT]..."
};

// One option of a command, declared once: the parser and the command's usage
// (option_usage.h), and through it the man page (tools/man), read it.
template <typename Args>
struct Option {
  std::string_view name;        // "--water"
  std::string_view value_name;  // "TEXT"; empty for a flag, which takes no value
  Presence presence;
  // What the option does, for the usage; every line break continues it on a line of its
  // own under the first. No usage line may be longer than 80 characters.
  std::string help;
  // Checks the value (empty for a flag) and keeps it in args; option is the name, for the
  // messages. Throws UsageError, or Refusal from a check the desktop program shares.
  void (*take)(std::string_view option, const std::string& value, Args& args);
  bool true_scale_only = false;  // shapes only the formats in map units at true scale
};

// A word of the command line that is no option: the command's operands, in order.
template <typename Args>
struct Operand {
  std::string_view name;  // "MAP", as the usage and the messages call it
  std::string Args::*value;
};

// The whole command line of one command after its name: the usage, the parser and the
// man page are made from it.
template <typename Args>
struct CommandForm {
  std::string_view name;                // "generate"
  std::vector<Operand<Args>> operands;  // all required
  std::vector<Option<Args>> options;    // in the order of the usage
  std::string about;                    // lines indented by two: what the command does
  std::size_t help_column = 0;          // where the options' help begins in the usage
};

// The arguments of a command line and which of the form's options stood in it.
template <typename Args>
struct ParsedLine {
  Args args;
  std::vector<bool> given;  // by the place of the option in the form
};

// The value of words[at] as option name, "--name VALUE" or "--name=VALUE", or for a flag
// the word "--name" alone; advances at past it. Returns false when words[at] is not that
// option. Throws UsageError "<name> needs a value" when the value is missing.
bool TakeOption(const std::vector<std::string>& words, std::size_t& at, std::string_view name,
                bool flag, std::string& value);

// The operands' names joined as the messages name them: "MAP and OUTPUT".
std::string Listed(const std::vector<std::string_view>& items, std::string_view last_joint);

// Finds the option that words[at] gives, keeps its value and marks it given.
template <typename Args>
bool TakeDeclared(const CommandForm<Args>& form, const std::vector<std::string>& words,
                  std::size_t& at, ParsedLine<Args>& parsed) {
  for (std::size_t k = 0; k < form.options.size(); ++k) {
    const Option<Args>& option = form.options[k];
    std::string value;
    if (!TakeOption(words, at, option.name, option.value_name.empty(), value)) continue;
    try {
      option.take(option.name, value, parsed.args);
    } catch (const Refusal& refusal) {
      throw UsageError(refusal.what());
    }
    parsed.given[k] = true;
    return true;
  }
  return false;
}

template <typename Args>
void RequireAll(const CommandForm<Args>& form, const std::vector<std::string>& operands,
                const ParsedLine<Args>& parsed) {
  if (operands.size() != form.operands.size()) {
    std::vector<std::string_view> names;
    for (const Operand<Args>& operand : form.operands)
      names.push_back(operand.name);
    throw UsageError(std::string(form.name) + " needs " + Listed(names, " and "));
  }
  for (std::size_t k = 0; k < form.options.size(); ++k) {
    if (form.options[k].presence == Presence::kRequired && !parsed.given[k]) {
      throw UsageError(std::string(form.options[k].name) + " is required");
    }
  }
}

// Reads the words that follow the command's name: options anywhere, the operands in
// order. Throws UsageError for an unknown option ("--..."), a wrong value, a missing
// operand or required option, in that order.
template <typename Args>
ParsedLine<Args> ParseCommandLine(const CommandForm<Args>& form,
                                  const std::vector<std::string>& words) {
  ParsedLine<Args> parsed{Args{}, std::vector<bool>(form.options.size())};
  std::vector<std::string> operands;
  for (std::size_t at = 0; at < words.size();) {
    if (TakeDeclared(form, words, at, parsed)) continue;
    if (words[at].starts_with("--")) throw UsageError("unknown option " + words[at]);
    operands.push_back(words[at++]);
  }
  RequireAll(form, operands, parsed);
  for (std::size_t k = 0; k < operands.size(); ++k)
    parsed.args.*form.operands[k].value = operands[k];
  return parsed;
}

// A whole number from 1 to kMaxThreadCount. Throws UsageError.
ThreadCount ThreadsFrom(std::string_view option, const std::string& value);

// "--threads N" of a command whose result (a file, a picture) is the same for any N.
template <typename Args>
Option<Args> ThreadsOption(std::string_view result) {
  return {"--threads", "N", Presence::kOptional,
          "shares the work among N threads, 1 to " + std::to_string(kMaxThreadCount) +
              " (default: the\nmachine's cores); the " + std::string(result) +
              " is the same for any N",
          [](std::string_view option, const std::string& value, Args& args) {
            args.threads = ThreadsFrom(option, value);
          }};
}

}  // namespace orvandel::cli
