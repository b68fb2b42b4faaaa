#pragma once

#include <string>
#include <vector>

#include "cli_options.h"

namespace orvandel::cli {

// The usage lines of a command line of these words, wrapped at 80 characters, each
// continuation indented by six.
std::string Synopsis(const std::vector<std::string>& words);

// One option's entry in the usage: its form, its help from help_column on.
std::string OptionEntry(const std::string& form, const std::string& help, std::size_t help_column);

// "--name VALUE", or "--name" for a flag.
template <typename Args>
std::string OptionForm(const Option<Args>& option) {
  const std::string value = option.value_name.empty() ? "" : " " + std::string(option.value_name);
  return std::string(option.name) + value;
}

// "  orvandel-cli NAME OPERANDS [--option VALUE]...", wrapped.
template <typename Args>
std::string SynopsisOf(const CommandForm<Args>& form) {
  std::vector<std::string> words = {"orvandel-cli", std::string(form.name)};
  for (const Operand<Args>& operand : form.operands)
    words.emplace_back(operand.name);
  for (const Option<Args>& option : form.options) {
    const std::string used = OptionForm(option);
    if (option.presence == Presence::kRequired) words.push_back(used);
    if (option.presence == Presence::kOptional) words.push_back("[" + used + "]");
    if (option.presence == Presence::kRepeatable) words.push_back("[" + used + "]...");
  }
  return Synopsis(words);
}

// What the command does, then one entry per option.
template <typename Args>
std::string DetailsOf(const CommandForm<Args>& form) {
  std::string details = form.about;
  for (const Option<Args>& option : form.options)
    details += OptionEntry(OptionForm(option), option.help, form.help_column);
  return details;
}

}  // namespace orvandel::cli
