#include "child_runs.h"

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>

namespace orvandel::bench {
namespace {

bool WriteAll(int fd, const void* data, std::size_t count) {
  const auto* at = static_cast<const char*>(data);
  while (count > 0) {
    const ssize_t done = write(fd, at, count);
    if (done <= 0) return false;
    at += done;
    count -= static_cast<std::size_t>(done);
  }
  return true;
}

bool ReadAll(int fd, void* data, std::size_t count) {
  auto* at = static_cast<char*>(data);
  while (count > 0) {
    const ssize_t got = read(fd, at, count);
    if (got <= 0) return false;
    at += got;
    count -= static_cast<std::size_t>(got);
  }
  return true;
}

// The arguments travel as their count, then each as its length and its characters.
bool SendArgs(int fd, const std::vector<std::string>& args) {
  const std::uint64_t count = args.size();
  if (!WriteAll(fd, &count, sizeof count)) return false;
  for (const std::string& arg : args) {
    const std::uint64_t length = arg.size();
    if (!WriteAll(fd, &length, sizeof length) || !WriteAll(fd, arg.data(), arg.size())) {
      return false;
    }
  }
  return true;
}

bool ReceiveArgs(int fd, std::vector<std::string>& args) {
  std::uint64_t count = 0;
  if (!ReadAll(fd, &count, sizeof count)) return false;
  args.assign(count, "");
  for (std::string& arg : args) {
    std::uint64_t length = 0;
    if (!ReadAll(fd, &length, sizeof length)) return false;
    arg.resize(length);
    if (!ReadAll(fd, arg.data(), length)) return false;
  }
  return true;
}

ChildRun RunHere(std::vector<std::string> args) {
  std::vector<char*> argv;
  for (std::string& arg : args)
    argv.push_back(arg.data());
  argv.push_back(nullptr);
  const auto start = std::chrono::steady_clock::now();
  const pid_t child = fork();
  if (child == 0) {
    execv(argv[0], argv.data());
    _exit(127);
  }
  int status = 0;
  struct rusage usage {};
  wait4(child, &status, 0, &usage);
  ChildRun run;
  run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  run.cpu_seconds = static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
                    static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
  run.peak_mb = static_cast<double>(usage.ru_maxrss) / 1024;
  run.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
  return run;
}

// Runs what arrives on in until it closes, answering on out.
[[noreturn]] void ServeLaunches(int in, int out) {
  std::vector<std::string> args;
  while (ReceiveArgs(in, args)) {
    const ChildRun run = RunHere(args);
    if (!WriteAll(out, &run, sizeof run)) break;
  }
  _exit(0);
}

}  // namespace

Launcher::Launcher() {
  int requests[2], answers[2];
  if (pipe(requests) != 0 || pipe(answers) != 0) return;
  launcher_ = fork();
  if (launcher_ == 0) {
    close(requests[1]);
    close(answers[0]);
    ServeLaunches(requests[0], answers[1]);
  }
  close(requests[0]);
  close(answers[1]);
  to_launcher_ = requests[1];
  from_launcher_ = answers[0];
}

Launcher::~Launcher() {
  close(to_launcher_);
  close(from_launcher_);
  if (launcher_ > 0) waitpid(launcher_, nullptr, 0);
}

ChildRun Launcher::Run(const std::vector<std::string>& args) {
  ChildRun run;
  if (!SendArgs(to_launcher_, args) || !ReadAll(from_launcher_, &run, sizeof run)) return {};
  return run;
}

}  // namespace orvandel::bench
