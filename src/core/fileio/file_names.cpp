#include "orvandel/fileio/file_names.h"

namespace orvandel {
namespace {

constexpr std::string_view kSeparators = "/\\:";

}  // namespace

std::string FileExtension(std::string_view file_name) {
  const auto dot = file_name.rfind('.');
  if (dot == std::string_view::npos) return {};
  if (file_name.find_first_of(kSeparators, dot) != std::string_view::npos) return {};
  return std::string(file_name.substr(dot));
}

std::string FileNamePart(std::string_view file_name) {
  const auto separator = file_name.find_last_of(kSeparators);
  return std::string(separator == std::string_view::npos ? file_name
                                                         : file_name.substr(separator + 1));
}

std::string NameInText(std::string_view name) {
  if (name.empty()) return "object";
  std::string text(name);
  for (char& ch : text) {
    const auto byte = static_cast<unsigned char>(ch);
    if (byte <= 0x20 || byte == 0x7F) ch = '_';
  }
  return text;
}

std::string AsciiUpper(std::string_view text) {
  std::string result(text);
  for (char& c : result) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return result;
}

std::string AsciiLower(std::string_view text) {
  std::string result(text);
  for (char& c : result) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return result;
}

}  // namespace orvandel
