#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "failure_message.h"
#include "generation.h"
#include "orvandel/writers/output_formats.h"

namespace orvandel {
namespace {

using test::Generation;

// The generations tried: bands of one row and of several, one row, one column, numbers so
// large that they are formatted the slow way, cells counted pixel by pixel (3 pixels of
// 4 bits do not fill whole bytes) and as stored.
std::vector<std::pair<std::string, std::function<Generation()>>> Cases() {
  return {
      {"two by two", test::TwoByTwoExample},
      {"gaps, cells of 1", [] { return test::Gaps(23, 29, 1, test::Levels()); }},
      {"gaps, cells of 3", [] { return test::Gaps(17, 13, 3, test::Levels()); }},
      {"gaps, cells of 2", [] { return test::Gaps(40, 9, 2, test::Levels()); }},
      {"one row", [] { return test::Gaps(19, 1, 1, test::Levels()); }},
      {"one column", [] { return test::Gaps(1, 21, 1, test::Levels()); }},
      {"huge heights",
       [] {
         return test::Gaps(13, 17, 1, {"3e38", "-3e38", "1e20", "4.5e11", "-0.00001", "0.03125"});
       }},
  };
}

// The bytes that generation writes as name on threads threads, or the message that
// refused them.
std::string Outcome(const std::function<Generation()>& make, const std::string& name,
                    ThreadCount threads, MeshOptions options) {
  Generation g = make();
  g.threads = threads;
  g.options = options;
  std::string bytes;
  const std::string message = test::MessageOf([&] { bytes = g.Written(name); });
  return message.empty() ? bytes : "refused: " + message;
}

TEST(WriterThreadsTest, EveryFormatWritesTheSameBytesOnAnyThreads) {
  for (const auto& [case_name, make] : Cases()) {
    for (const OutputFormat& format : OutputFormats()) {
      std::vector<MeshOptions> shapes = {{}};
      if (format.true_scale) shapes.insert(shapes.end(), {{2, 5}, {2, 5, nullptr}});
      for (const MeshOptions& options : shapes) {
        const std::string name = "terrain" + std::string(format.extension);
        const std::string one = Outcome(make, name, 1, options);
        // A RAW file of one row or one column is empty.
        EXPECT_TRUE(!one.empty() || format.name == "RAW") << case_name << " " << name;
        for (const ThreadCount threads : {2u, 3u, 7u}) {
          EXPECT_TRUE(Outcome(make, name, threads, options) == one)
              << case_name << " " << name << " on " << threads << " threads, base " << options.base
              << (options.surface ? "" : ", full grid");
        }
      }
    }
  }
}

}  // namespace
}  // namespace orvandel
