#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include "bmp_builder.h"
#include "device_files.h"
#include "temp_dir.h"

namespace orvandel {
namespace {

using test::ReadFileBytes;
using test::TempDir;
using test::UnnamedFilesWorkIn;

// A write of target by the helper, stopped halfway: it has written into its temporary
// file and waits. Signals start with their default action, as in a program run from a
// shell, whatever this test program does with them.
class StoppedWrite {
 public:
  StoppedWrite(const std::string& target, const char* route) {
    int ends[2];
    if (::pipe(ends) != 0) throw std::runtime_error("no pipe");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, ends[1], 1);
    posix_spawn_file_actions_addclose(&actions, ends[0]);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t signals;
    sigemptyset(&signals);
    posix_spawnattr_setsigmask(&attributes, &signals);
    for (const int s : {SIGINT, SIGTERM, SIGHUP})
      sigaddset(&signals, s);
    posix_spawnattr_setsigdefault(&attributes, &signals);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
    const char* argv[] = {INTERRUPTED_WRITE_HELPER, target.c_str(), route, nullptr};
    const int error =
        posix_spawn(&pid_, argv[0], &actions, &attributes, const_cast<char**>(argv), environ);
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    ::close(ends[1]);
    char ready[6] = {};
    const bool said_ready = error == 0 && ::read(ends[0], ready, 6) == 6;
    ::close(ends[0]);
    if (!said_ready) throw std::runtime_error("the helper did not start its write");
  }

  // Sends the signal and returns the exit status a shell would show.
  int StatusAfter(int signal_number) {
    ::kill(pid_, signal_number);
    int status = 0;
    ::waitpid(pid_, &status, 0);
    return WIFSIGNALED(status) ? 128 + WTERMSIG(status) : WEXITSTATUS(status);
  }

 private:
  pid_t pid_ = 0;
};

TEST(InterruptedWriteTest, InterruptRemovesTheTemporaryFileAndKeepsTheOldOutput) {
  for (const char* route : {"unnamed", "named"}) {
    for (const int signal_number : {SIGINT, SIGTERM, SIGHUP}) {
      SCOPED_TRACE(std::string(route) + " " + strsignal(signal_number));
      TempDir dir;
      tools::WriteFileBytes(dir.File("out.bmp"), "old");
      StoppedWrite write(dir.File("out.bmp"), route);
      if (std::string(route) == "named") {
        EXPECT_NE(dir.Listing(), "out.bmp");  // the temporary file is there to remove
      }
      EXPECT_EQ(write.StatusAfter(signal_number), 128 + signal_number);
      EXPECT_EQ(dir.Listing(), "out.bmp");
      EXPECT_EQ(ReadFileBytes(dir.File("out.bmp")), "old");
    }
  }
}

TEST(InterruptedWriteTest, KillLeavesNothingWhenTheTemporaryFileHasNoName) {
  TempDir dir;
  if (!UnnamedFilesWorkIn(dir.path())) GTEST_SKIP() << "no unnamed files in " << dir.path();
  tools::WriteFileBytes(dir.File("out.bmp"), "old");
  StoppedWrite write(dir.File("out.bmp"), "unnamed");
  EXPECT_EQ(write.StatusAfter(SIGKILL), 128 + SIGKILL);
  EXPECT_EQ(dir.Listing(), "out.bmp");
  EXPECT_EQ(ReadFileBytes(dir.File("out.bmp")), "old");
}

}  // namespace
}  // namespace orvandel
