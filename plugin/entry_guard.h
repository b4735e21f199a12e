// The wall between the plug-in's C++ and the host, which cannot catch a C++
// exception. Every entry point runs its body through GuardedCall:
//  - exhausted memory becomes the structured exception a Windows heap raises
//    (STATUS_NO_MEMORY), raised after the C++ exception has been left behind;
//  - any other exception ends the call silently, as the entry points report
//    no errors.
#pragma once

#include <windows.h>

#include <new>
#include <type_traits>

// Raised from plain code, outside any catch block, so that a host handler
// that unwinds our frames finds no C++ exception in flight.
void RaiseOutOfMemory() noexcept;

template <typename Fn>
auto GuardedCall(Fn&& body) noexcept -> std::invoke_result_t<Fn> {
  using Result = std::invoke_result_t<Fn>;
  bool out_of_memory = false;
  try {
    return body();
  } catch (const std::bad_alloc&) {
    out_of_memory = true;
  } catch (...) {
  }
  if (out_of_memory) RaiseOutOfMemory();
  if constexpr (!std::is_void_v<Result>) return Result{};
}
