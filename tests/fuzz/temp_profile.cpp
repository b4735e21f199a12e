#include "temp_profile.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

#include "fuzz_report.h"

namespace fuzz {

namespace {

std::string folder;
std::string path;

void RemoveFolder() {
  std::remove(path.c_str());
  rmdir(folder.c_str());
}

}  // namespace

const std::string& WriteTempProfile(std::string_view image) {
  if (folder.empty()) {
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern = std::string(tmp != nullptr && *tmp != '\0' ? tmp : "/tmp") +
                          "/translit-fuzz-XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr) Fail("cannot make a folder from " + pattern);
    folder = pattern;
    path = folder + "/profile.pch";
    std::atexit(RemoveFolder);
  }
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) Fail("cannot write " + path);
  const bool written = std::fwrite(image.data(), 1, image.size(), file) == image.size();
  if (std::fclose(file) != 0 || !written) Fail("cannot write " + path);
  return path;
}

}  // namespace fuzz
