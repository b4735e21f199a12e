// How a fuzz target reports a fault: a readable description of the case on
// stderr, then abort(), which libFuzzer records as a crash with its input.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace fuzz {

// Bytes as C-style text: printable ASCII as is, everything else as \xNN.
std::string Show(std::string_view bytes);

// Prints "FUZZ CHECK FAILED: <what>" and aborts.
[[noreturn]] void Fail(const std::string& what);

// Describes the case being checked; only called when a check fails.
using TDescription = std::function<std::string()>;

// Fails with "<what()>: <fastName> "..." but <expectedName> "..."" unless the
// two agree.
void ExpectSame(const TDescription& what, const char* fastName, std::string_view fast,
                const char* expectedName, std::string_view expected);

}  // namespace fuzz
