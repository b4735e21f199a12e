// Whole reads and writes through a file descriptor, going on after an
// interrupted call.
#pragma once

#include <string>

// Reads the whole file at path ("-" for standard input) into *bytes. False,
// with errno set, when it cannot be opened or read.
bool ReadWholeFile(const std::string& path, std::string* bytes);

// Writes all of bytes. False, with errno set, on a failed write.
bool WriteAll(int fd, const std::string& bytes);
