#include "option_usage.h"

namespace orvandel::cli {
namespace {

constexpr std::size_t kUsageWidth = 80;
constexpr char kSynopsisIndent[] = "  ";
constexpr char kContinuationIndent[] = "      ";

}  // namespace

std::string Synopsis(const std::vector<std::string>& words) {
  std::string lines;
  std::string line = kSynopsisIndent + words.front();
  for (std::size_t k = 1; k < words.size(); ++k) {
    if (line.size() + 1 + words[k].size() <= kUsageWidth) {
      line += " " + words[k];
      continue;
    }
    lines += line + "\n";
    line = kContinuationIndent + words[k];
  }
  return lines + line + "\n";
}

// A form too long for the help column stands on a line of its own.
std::string OptionEntry(const std::string& form, const std::string& help, std::size_t help_column) {
  const std::string indent(help_column, ' ');
  std::string entry = "  " + form;
  entry += entry.size() + 2 <= help_column ? indent.substr(entry.size()) : "\n" + indent;
  for (const char ch : help)
    entry += ch == '\n' ? "\n" + indent : std::string(1, ch);
  return entry + "\n";
}

}  // namespace orvandel::cli
