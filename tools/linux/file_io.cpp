#include "tools/linux/file_io.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "tools/linux/unique_fd.h"

bool ReadWholeFile(const std::string& path, std::string* bytes) {
  TUniqueFd owned(path == "-" ? -1 : open(path.c_str(), O_RDONLY | O_CLOEXEC));
  const int fd = path == "-" ? STDIN_FILENO : owned.Get();
  if (fd < 0) return false;
  char buffer[1 << 16];
  for (;;) {
    const ssize_t n = read(fd, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return false;
    if (n == 0) return true;
    bytes->append(buffer, static_cast<std::size_t>(n));
  }
}

bool WriteAll(int fd, const std::string& bytes) {
  std::size_t written = 0;
  while (written < bytes.size()) {
    const ssize_t n = write(fd, bytes.data() + written, bytes.size() - written);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    written += static_cast<std::size_t>(n);
  }
  return true;
}
