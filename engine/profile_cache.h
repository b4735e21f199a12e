// Compiled profiles kept between file-name runs, keyed by their exact bytes.
//
// Every run still reads its profile whole; the bytes read decide, compared
// byte for byte with those a kept profile was compiled from. Nothing is
// trusted from a file's name, size or time stamp, so a profile edited,
// replaced or restored between two runs is compiled afresh, or found again,
// by what it now holds.
//
// Bounded: at most kCachedProfiles profiles, together at most
// kCachedProfileMemory bytes of memory (a larger profile is compiled for its
// run alone); the one used least recently goes first. Safe on any thread: a
// lock guards the list, never a run, and a profile in use lives on until its
// last user lets go, whatever the list does meanwhile. What is kept is freed
// by ReleaseCompiledProfiles and when the module is unloaded.
#pragma once

#include <cstddef>
#include <memory>
#include <string>

#include "engine/compiled_profile.h"

inline constexpr std::size_t kCachedProfiles = 4;
inline constexpr std::size_t kCachedProfileMemory = std::size_t{8} << 20;

// The profile compiled from bytes: one kept from an earlier call with the
// same bytes, or a new one, kept for later calls when it fits.
//   CompiledProfileFor(a) == CompiledProfileFor(std::string(a))  // the same object
std::shared_ptr<const TCompiledProfile> CompiledProfileFor(std::string bytes);

// Lets go of every kept profile.
void ReleaseCompiledProfiles();

// How many profiles are kept, and the memory they take (for tests and
// benchmarks).
std::size_t CachedProfileCount();
std::size_t CachedProfileMemory();
