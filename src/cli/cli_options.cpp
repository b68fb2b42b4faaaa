#include "cli_options.h"

#include "orvandel/commands/option_text.h"

namespace orvandel::cli {

bool TakeOption(const std::vector<std::string>& words, std::size_t& at, std::string_view name,
                bool flag, std::string& value) {
  const std::string& word = words[at];
  if (word == name) {
    if (flag) {
      at += 1;
      return true;
    }
    if (at + 1 >= words.size()) throw UsageError(std::string(name) + " needs a value");
    value = words[at + 1];
    at += 2;
    return true;
  }
  if (flag || !word.starts_with(std::string(name) + "=")) return false;
  value = word.substr(name.size() + 1);
  at += 1;
  return true;
}

std::string Listed(const std::vector<std::string_view>& items, std::string_view last_joint) {
  std::string text;
  for (std::size_t k = 0; k < items.size(); ++k) {
    const bool last = k + 1 == items.size();
    text += std::string(k == 0 ? "" : last ? last_joint : ", ") + std::string(items[k]);
  }
  return text;
}

ThreadCount ThreadsFrom(std::string_view option, const std::string& value) {
  const std::optional<ThreadCount> count = NumberFrom<ThreadCount>(value);
  if (!count || *count < 1 || *count > kMaxThreadCount) {
    throw UsageError(std::string(option) + " takes a whole number from 1 to " +
                     std::to_string(kMaxThreadCount) + ", not '" + value + "'");
  }
  return *count;
}

}  // namespace orvandel::cli
