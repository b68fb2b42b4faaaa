#include <gtest/gtest.h>

#include "cli_args.h"
#include "render_args.h"

namespace orvandel::cli {
namespace {

TEST(RenderArgsTest, DefaultsAreThoseOfAFreshLoadAndTheRenderWindow) {
  const RenderArgs args = ParseRenderArgs({"hill.3df", "hill.bmp"});
  EXPECT_EQ(args.scene_file, "hill.3df");
  EXPECT_EQ(args.output_file, "hill.bmp");
  EXPECT_EQ(args.view.observer, (AnglePair{20, 60}));
  EXPECT_EQ(args.view.sun, (AnglePair{90, 180}));
  EXPECT_EQ(args.view.zoom, 0.751f);
  EXPECT_TRUE(args.view.shaded);
  EXPECT_EQ(args.width, 550);
  EXPECT_EQ(args.height, 418);
  EXPECT_EQ(args.threads, DefaultThreadCount());
  EXPECT_EQ(args.timeout, 0.0f);  // no time limit
  EXPECT_EQ(args.view.paint_order, PaintOrder::kFile);
  EXPECT_FALSE(args.levels);
}

TEST(RenderArgsTest, EveryOption) {
  const RenderArgs args = ParseRenderArgs(
      {"--observer", "0,359", "hill.3df", "--sun=45,5", "--zoom", "1.5", "--wire", "--depth",
       "--levels=-5,2.5,1e3", "--size=640x480", "out.bmp", "--threads", "3"});
  EXPECT_EQ(args.view.observer, (AnglePair{0, 359}));
  EXPECT_EQ(args.view.sun, (AnglePair{45, 5}));
  EXPECT_EQ(args.view.zoom, 1.5f);
  EXPECT_FALSE(args.view.shaded);
  EXPECT_EQ(args.view.paint_order, PaintOrder::kDepth);
  EXPECT_EQ(args.levels->snow, 1e3f);
  EXPECT_EQ(args.width, 640);
  EXPECT_EQ(args.height, 480);
  EXPECT_EQ(args.output_file, "out.bmp");
  EXPECT_EQ(args.threads, 3u);
  EXPECT_EQ(ParseRenderArgs({"a.3df", "b.bmp", "--threads=64"}).threads, 64u);
  EXPECT_EQ(ParseRenderArgs({"a.3df", "b.bmp", "--timeout", "2.5"}).timeout, 2.5f);
  EXPECT_EQ(ParseRenderArgs({"a.3df", "--timeout=0.01", "b.bmp"}).timeout, 0.01f);
}

TEST(RenderArgsTest, WrongUsage) {
  const std::vector<std::vector<std::string>> wrong = {
      {"hill.3df"},
      {"a.3df", "b.bmp", "c"},
      {"a.3df", "b.png"},
      {"a.3df", "bmp"},
      {"a.3df", "b.bmp", "--observer", "360,0"},
      {"a.3df", "b.bmp", "--sun", "-5,0"},
      {"a.3df", "b.bmp", "--sun", "20"},
      {"a.3df", "b.bmp", "--zoom", "0"},
      {"a.3df", "b.bmp", "--zoom", "nan"},
      {"a.3df", "b.bmp", "--zoom", "1e99"},
      {"a.3df", "b.bmp", "--size", "10x"},
      {"a.3df", "b.bmp", "--size", "16385x10"},
      {"a.3df", "b.bmp", "--size"},
      {"a.3df", "b.bmp", "--shaded"},
      {"a.3df", "b.bmp", "--threads", "0"},
      {"a.3df", "b.bmp", "--threads", "65"},
      {"a.3df", "b.bmp", "--threads", "-1"},
      {"a.3df", "b.bmp", "--threads", "2x"},
      {"a.3df", "b.bmp", "--threads="},
      {"a.3df", "b.bmp", "--threads"},
      {"a.3df", "b.bmp", "--timeout", "0"},
      {"a.3df", "b.bmp", "--timeout", "-1"},
      {"a.3df", "b.bmp", "--timeout", "inf"},
      {"a.3df", "b.bmp", "--timeout", "5s"},
      {"a.3df", "b.bmp", "--timeout"},
      {"a.stl", "b.bmp", "--levels", "1,2"},
      {"a.stl", "b.bmp", "--levels", "1,2,3,4"},
      {"a.stl", "b.bmp", "--levels", "1,,3"},
      {"a.stl", "b.bmp", "--levels", "1,2,inf"},
  };
  for (const auto& args : wrong) {
    EXPECT_THROW(ParseRenderArgs(args), UsageError) << ::testing::PrintToString(args);
  }
}

}  // namespace
}  // namespace orvandel::cli
