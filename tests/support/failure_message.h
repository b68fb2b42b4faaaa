#pragma once

#include <string>

#include "orvandel/fileio/failure.h"

namespace orvandel::test {

// The message a user reads for the failure that call throws ("File not found.",
// "Invalid file!"), or "" when it succeeds.
template <typename Call>
std::string MessageOf(Call&& call) {
  try {
    call();
  } catch (const Failure& failure) {
    return MessageText(failure);
  }
  return "";
}

}  // namespace orvandel::test
