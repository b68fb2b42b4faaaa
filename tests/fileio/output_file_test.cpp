#include <gtest/gtest.h>

#include <sys/stat.h>

#include "bmp_builder.h"
#include "orvandel/fileio/io_error.h"
#include "orvandel/fileio/output_file.h"
#include "temp_dir.h"

namespace orvandel {
namespace {

using test::FileExists;
using test::ReadFileBytes;
using test::TempDir;

// Writes a mesh and its material library as a pair; with a folder in the library's place,
// the second rename fails after the first file is in place.
std::string CommitPair(const TempDir& dir, bool folder_in_the_way) {
  OutputFile mesh(dir.File("hill.obj"));
  OutputFile library(dir.File("hill.mtl"));
  mesh.Append("new mesh");
  library.Append("new library");
  if (folder_in_the_way) {
    mkdir(dir.File("hill.mtl").c_str(), 0755);
    tools::WriteFileBytes(dir.File("hill.mtl/keep"), "");
  }
  try {
    CommitTogether(mesh, library);
  } catch (const IoError& error) {
    return error.what();
  }
  return "";
}

TEST(OutputFileTest, PairReplacesBothFiles) {
  TempDir dir;
  tools::WriteFileBytes(dir.File("hill.obj"), "old mesh");
  tools::WriteFileBytes(dir.File("hill.mtl"), "old library");
  EXPECT_EQ(CommitPair(dir, false), "");
  EXPECT_EQ(ReadFileBytes(dir.File("hill.obj")), "new mesh");
  EXPECT_EQ(ReadFileBytes(dir.File("hill.mtl")), "new library");
  EXPECT_EQ(dir.Listing(), "hill.mtl hill.obj");  // no temporary or kept file is left
}

TEST(OutputFileTest, FailedSecondRenamePutsTheFirstFileBack) {
  TempDir dir;
  tools::WriteFileBytes(dir.File("hill.obj"), "old mesh");
  EXPECT_EQ(CommitPair(dir, true), "File access denied");
  EXPECT_EQ(ReadFileBytes(dir.File("hill.obj")), "old mesh");
  EXPECT_EQ(dir.Listing(), "hill.mtl hill.obj");
}

TEST(OutputFileTest, FailedSecondRenameRemovesAFirstFileThatWasNotThere) {
  TempDir dir;
  EXPECT_EQ(CommitPair(dir, true), "File access denied");
  EXPECT_FALSE(FileExists(dir.File("hill.obj")));
  EXPECT_EQ(dir.Listing(), "hill.mtl");
}

}  // namespace
}  // namespace orvandel
