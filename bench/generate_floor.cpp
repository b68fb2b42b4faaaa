// generate_floor MAP OUTPUT BYTES: the least that any program turning the map MAP into a
// file OUTPUT of BYTES bytes must do, the floor of orvandel-cli generate: start, read() the
// whole map into fresh memory, and write() BYTES bytes to OUTPUT from a buffer of 1 MiB, as
// a writer that formats its output piece by piece would. No libraries beyond the C one.
#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace {

bool ReadWhole(const char* path) {
  const int fd = open(path, O_RDONLY);
  if (fd < 0) return false;
  const off_t size = lseek(fd, 0, SEEK_END);
  lseek(fd, 0, SEEK_SET);
  const auto bytes = std::make_unique_for_overwrite<char[]>(static_cast<std::size_t>(size));
  for (off_t done = 0; done < size;) {
    const ssize_t got = read(fd, bytes.get() + done, static_cast<std::size_t>(size - done));
    if (got <= 0) return false;
    done += got;
  }
  return close(fd) == 0;
}

bool WriteBytes(const char* path, std::size_t count) {
  const int fd = open(path, O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (fd < 0) return false;
  std::vector<char> buffer(std::size_t{1} << 20, 'x');
  while (count > 0) {
    const ssize_t done = write(fd, buffer.data(), std::min(count, buffer.size()));
    if (done <= 0) return false;
    count -= static_cast<std::size_t>(done);
  }
  return close(fd) == 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) return 2;
  const bool ok = ReadWhole(argv[1]) && WriteBytes(argv[2], std::stoull(argv[3]));
  return ok ? 0 : 1;
}
