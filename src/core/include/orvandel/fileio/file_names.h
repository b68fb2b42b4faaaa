#pragma once

#include <string>
#include <string_view>

namespace orvandel {

// The extension of a file name: from its last "." to the end, dot included, provided no
// folder separator ("/", "\" or ":") follows that dot; otherwise empty.
std::string FileExtension(std::string_view file_name);

// The file name without its folders: what follows the last "/", "\" or ":".
std::string FileNamePart(std::string_view file_name);

// A name as it may stand in a file's text, where blanks part the fields and line feeds the
// lines: blanks and control characters become "_", and a name left empty "object".
std::string NameInText(std::string_view name);

// The text with its ASCII letters in upper case (or lower case); other bytes stay.
std::string AsciiUpper(std::string_view text);
std::string AsciiLower(std::string_view text);

}  // namespace orvandel
