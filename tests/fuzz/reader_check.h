// TProfileReader and ReadProfile against the reference reader, with the bytes
// handed over in pieces of any size and, if asked, a read error part way.
#pragma once

#include <cstddef>
#include <string_view>

#include "engine/profile.h"
#include "fuzz_report.h"

namespace fuzz {

struct TReadPlan {
  // At most this many bytes per call of the read function; 0: as many as asked.
  std::size_t Chunk = 0;
  // The read function fails (-1) once it has handed over this many bytes and
  // is asked for more; kNoReadError: never.
  std::size_t FailAt = kNoReadError;
  static constexpr std::size_t kNoReadError = static_cast<std::size_t>(-1);
};

// Fails unless read holds the same lines and rules as expected.
void ExpectSameProfile(const TProfile& read, const TProfile& expected, const TDescription& where);

// Reads image through TProfileReader::OpenFrom and ReadProfile, checks the
// outcome against the reference, and returns the reference profile.
TProfile CheckReader(std::string_view image, const TReadPlan& plan);

}  // namespace fuzz
