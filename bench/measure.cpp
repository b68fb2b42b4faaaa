#include "measure.h"

#include <stdlib.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace orvandel::bench {

double Best(int runs, const std::function<void()>& work) {
  double best = 1e30;
  for (int run = 0; run < runs; ++run) {
    const auto start = std::chrono::steady_clock::now();
    work();
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    best = std::min(best, took.count());
  }
  return best;
}

double StatusBytes(const std::string& field) {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);) {
    if (line.rfind(field + ":", 0) == 0) return 1024.0 * std::stod(line.substr(field.size() + 1));
  }
  return 0;
}

void ResetPeakMemory() {
  std::ofstream("/proc/self/clear_refs") << "5";
}

std::string TemporaryFolder() {
  std::string folder = (std::filesystem::temp_directory_path() / "orvandel-bench-XXXXXX").string();
  if (mkdtemp(folder.data()) == nullptr) throw std::runtime_error("no temporary folder");
  return folder;
}

}  // namespace orvandel::bench
