#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <functional>
#include <optional>
#include <thread>

#include "bmp_builder.h"
#include "device_files.h"
#include "fileio/temporary_file.h"
#include "orvandel/fileio/io_error.h"
#include "orvandel/fileio/output_file.h"
#include "temp_dir.h"

namespace orvandel {
namespace {

using test::ReadFileBytes;
using test::TempDir;
using test::UnnamedFilesWorkIn;

// More than the output's buffer, so that bytes reach the file before the commit.
const std::string kLongContent(3 << 20, 'x');

// Writes bytes to target and commits; the failure's text, or "" on success.
std::string Write(const std::string& target, const std::string& bytes) {
  try {
    OutputFile file(target);
    file.Append(bytes);
    file.Commit();
  } catch (const IoError& error) {
    return error.what();
  }
  return "";
}

// Starts a write of long content to target and gives up before the commit.
void AbandonWrite(const std::string& target) {
  OutputFile file(target);
  file.Append(kLongContent);
}

bool IsSymbolicLink(const std::string& path) {
  struct stat info {};
  return ::lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode);
}

struct stat StatOf(const std::string& path) {
  struct stat info {};
  ::stat(path.c_str(), &info);
  return info;
}

// While it lives, unnamed temporary files are "not supported", as on file systems without
// them, so that outputs take the named route.
class WithoutUnnamedFiles {
 public:
  WithoutUnnamedFiles() : saved_(TemporaryFile::open_unnamed) {
    TemporaryFile::open_unnamed = [](const char*, int, mode_t) {
      errno = EOPNOTSUPP;
      return -1;
    };
  }
  ~WithoutUnnamedFiles() { TemporaryFile::open_unnamed = saved_; }

 private:
  TemporaryFile::UnnamedOpener saved_;
};

// Runs body where permission bits bind: for root in a child that has become "nobody",
// for anyone else in place. Returns what body returns.
int AsUnprivileged(const std::function<int()>& body) {
  if (::geteuid() != 0) return body();
  const pid_t child = ::fork();
  if (child == 0) {
    if (::setgid(65534) != 0 || ::setuid(65534) != 0) ::_exit(99);
    ::_exit(body());
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(OutputTargetsTest, SymbolicLinksStayAndTheFilesTheyNameGetTheBytes) {
  TempDir dir;
  tools::WriteFileBytes(dir.File("picture.bmp"), "old");
  ::symlink("picture.bmp", dir.File("link.bmp").c_str());  // relative to its folder
  ::symlink(dir.File("link.bmp").c_str(), dir.File("chain.bmp").c_str());
  ::symlink("missing.bmp", dir.File("dangling.bmp").c_str());
  EXPECT_EQ(Write(dir.File("chain.bmp"), "new"), "");
  EXPECT_EQ(Write(dir.File("dangling.bmp"), "made"), "");
  EXPECT_EQ(ReadFileBytes(dir.File("picture.bmp")), "new");
  EXPECT_EQ(ReadFileBytes(dir.File("missing.bmp")), "made");
  for (const char* link : {"chain.bmp", "link.bmp", "dangling.bmp"})
    EXPECT_TRUE(IsSymbolicLink(dir.File(link))) << link;
  EXPECT_EQ(dir.Listing(), "chain.bmp dangling.bmp link.bmp missing.bmp picture.bmp");
}

TEST(OutputTargetsTest, LoopOfLinksAndFoldersAreRefused) {
  TempDir dir;
  ::symlink("b.bmp", dir.File("a.bmp").c_str());
  ::symlink("a.bmp", dir.File("b.bmp").c_str());
  ::mkdir(dir.File("folder.bmp").c_str(), 0755);
  EXPECT_EQ(Write(dir.File("a.bmp"), "x"), "Invalid filename");
  EXPECT_EQ(Write(dir.File("folder.bmp"), "x"), "File access denied");
  EXPECT_EQ(dir.Listing(), "a.bmp b.bmp folder.bmp");
}

TEST(OutputTargetsTest, HardLinkedFileShowsTheNewContentUnderEveryName) {
  TempDir dir;
  tools::WriteFileBytes(dir.File("one.bmp"), "old content, longer than the new");
  ::link(dir.File("one.bmp").c_str(), dir.File("two.bmp").c_str());
  ::chmod(dir.File("one.bmp").c_str(), 0640);
  EXPECT_EQ(Write(dir.File("one.bmp"), kLongContent), "");
  EXPECT_EQ(ReadFileBytes(dir.File("two.bmp")), kLongContent);
  EXPECT_EQ(StatOf(dir.File("one.bmp")).st_nlink, 2u);
  EXPECT_EQ(StatOf(dir.File("one.bmp")).st_mode & 07777, 0640u);
  EXPECT_EQ(dir.Listing(), "one.bmp two.bmp");
}

TEST(OutputTargetsTest, AbandonedWriteLeavesEveryKindOfFileAsItWas) {
  for (const bool unnamed : {true, false}) {
    TempDir dir;
    std::optional<WithoutUnnamedFiles> named;
    if (!unnamed) named.emplace();
    for (const char* name : {"plain.bmp", "linked.bmp"})
      tools::WriteFileBytes(dir.File(name), "old");
    ::link(dir.File("linked.bmp").c_str(), dir.File("other.bmp").c_str());
    ::symlink("plain.bmp", dir.File("symbolic.bmp").c_str());
    for (const char* name : {"plain.bmp", "linked.bmp", "symbolic.bmp", "new.bmp"})
      AbandonWrite(dir.File(name));
    EXPECT_EQ(ReadFileBytes(dir.File("plain.bmp")), "old");
    EXPECT_EQ(ReadFileBytes(dir.File("other.bmp")), "old");
    EXPECT_EQ(dir.Listing(), "linked.bmp other.bmp plain.bmp symbolic.bmp") << unnamed;
  }
}

// A FIFO by its name, and a pipe by the link /proc/self/fd/ holds for its open end.
TEST(OutputTargetsTest, PipesGetTheBytesAndStayPipes) {
  TempDir dir;
  const std::string fifo = dir.File("pipe.bmp");
  ::mkfifo(fifo.c_str(), 0600);
  int ends[2];
  ASSERT_EQ(::pipe(ends), 0);
  std::string from_fifo;
  std::string from_pipe;
  std::thread fifo_reader([&] { from_fifo = ReadFileBytes(fifo); });
  std::thread pipe_reader([&] {
    char buffer[65536];
    for (ssize_t got; (got = ::read(ends[0], buffer, sizeof buffer)) > 0;)
      from_pipe.append(buffer, static_cast<std::size_t>(got));
  });
  EXPECT_EQ(Write(fifo, kLongContent), "");
  EXPECT_EQ(Write("/proc/self/fd/" + std::to_string(ends[1]), kLongContent), "");
  ::close(ends[1]);
  fifo_reader.join();
  pipe_reader.join();
  ::close(ends[0]);
  EXPECT_EQ(from_fifo.size(), kLongContent.size());
  EXPECT_EQ(from_pipe.size(), kLongContent.size());
  EXPECT_TRUE(S_ISFIFO(StatOf(fifo).st_mode));
  EXPECT_EQ(dir.Listing(), "pipe.bmp");
}

TEST(OutputTargetsTest, DevicesAreWrittenAndNeverReplaced) {
  TempDir dir;
  const std::string null = test::DeviceLike(dir, "/dev/null");
  const std::string full = test::DeviceLike(dir, "/dev/full");
  EXPECT_EQ(Write(null, kLongContent), "");
  EXPECT_EQ(Write(full, "picture"), "Disk full");
  EXPECT_TRUE(test::IsCharacterDevice(null));
  EXPECT_TRUE(test::IsCharacterDevice(full));
  EXPECT_EQ(dir.Listing(), ::geteuid() == 0 ? "full null" : "");
}

TEST(OutputTargetsTest, FolderWithoutRoomForATemporaryFileGetsTheFileWrittenInPlace) {
  TempDir dir;
  tools::WriteFileBytes(dir.File("out.bmp"), "old content, longer than the new");
  ::chmod(dir.File("out.bmp").c_str(), 0666);
  ::chmod(dir.path().c_str(), 0555);  // nobody but root may make files in it
  const int failures = AsUnprivileged([&] {
    return (Write(dir.File("out.bmp"), "new") != "" ? 1 : 0) |
           (Write(dir.File("fresh.bmp"), "new") != "File access denied" ? 2 : 0);
  });
  EXPECT_EQ(failures, 0);
  EXPECT_EQ(ReadFileBytes(dir.File("out.bmp")), "new");
  EXPECT_EQ(dir.Listing(), "out.bmp");
}

// While the bytes are written, the folder shows no temporary file where the file system
// has unnamed ones, and a hidden one elsewhere; after the commit only the output is left.
TEST(OutputTargetsTest, TemporaryFileIsUnnamedWhereTheFileSystemAllows) {
  for (const bool unnamed : {true, false}) {
    TempDir dir;
    if (unnamed && !UnnamedFilesWorkIn(dir.path())) continue;
    std::optional<WithoutUnnamedFiles> named;
    if (!unnamed) named.emplace();
    OutputFile file(dir.File("out.bmp"));
    file.Append(kLongContent);
    EXPECT_EQ(dir.Listing().substr(0, 10), unnamed ? "" : ".orvandel-");
    file.Commit();
    EXPECT_EQ(dir.Listing(), "out.bmp");
    EXPECT_EQ(ReadFileBytes(dir.File("out.bmp")), kLongContent);
  }
}

}  // namespace
}  // namespace orvandel
