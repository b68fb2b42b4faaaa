#include "orvandel/fileio/failure.h"

namespace orvandel {

std::string MessageText(const Failure& failure) {
  if (dynamic_cast<const RuntimeFailure*>(&failure) != nullptr) {
    return std::string(failure.what()) + ".";
  }
  return failure.what();
}

}  // namespace orvandel
