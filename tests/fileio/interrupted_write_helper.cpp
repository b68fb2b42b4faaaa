// Writes part of an output file, says "ready" on its standard output and waits to be
// interrupted: what an interrupt leaves behind is tested on it. Arguments: TARGET and
// "named" (as on file systems without unnamed files) or "unnamed".
#include <unistd.h>

#include <cerrno>
#include <string>
#include <string_view>

#include "fileio/temporary_file.h"
#include "orvandel/fileio/interrupt_cleanup.h"
#include "orvandel/fileio/output_file.h"

int main(int argc, char** argv) {
  if (argc != 3) return 2;
  orvandel::InstallInterruptCleanup();
  if (std::string_view(argv[2]) == "named") {
    orvandel::TemporaryFile::open_unnamed = [](const char*, int, mode_t) {
      errno = EOPNOTSUPP;
      return -1;
    };
  }
  orvandel::OutputFile file(argv[1]);
  file.Append(std::string(3 << 20, 'x'));  // more than the buffer: the file holds bytes
  if (::write(1, "ready\n", 6) != 6) return 1;
  for (;;)
    ::pause();
}
