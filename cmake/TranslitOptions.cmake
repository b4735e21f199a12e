# SPDX-License-Identifier: MIT
# Compiler settings shared by every target of the project.

# Texts are single-byte Windows-1251 everywhere; the sources stay UTF-8.
# Only GCC can store narrow literals in another charset; code that clang
# builds (the fuzzers) keeps its literals ASCII.
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
  set(TRANSLIT_CHARSET_FLAGS -finput-charset=UTF-8 -fexec-charset=CP1251)
else()
  set(TRANSLIT_CHARSET_FLAGS)
endif()

set(TRANSLIT_WARNINGS -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wno-sign-conversion)

option(TRANSLIT_SANITIZE "Native build: AddressSanitizer and UBSan" ON)
option(TRANSLIT_WERROR "Treat the project's own warnings as errors (test.sh sets it)" OFF)
if(TRANSLIT_WERROR)
  list(APPEND TRANSLIT_WARNINGS -Werror)
endif()

# Applies the project's own settings to a target (not to third-party code).
function(translit_target_settings target)
  target_compile_options(${target} PRIVATE ${TRANSLIT_WARNINGS} ${TRANSLIT_CHARSET_FLAGS})
  if(NOT WIN32 AND TRANSLIT_SANITIZE)
    target_compile_options(${target} PRIVATE -fsanitize=address,undefined -fno-sanitize-recover=all
                                             -fno-omit-frame-pointer)
    target_link_options(${target} PRIVATE -fsanitize=address,undefined)
  endif()
  if(WIN32)
    # Only system DLLs at run time: the C++ runtime and winpthreads go in statically.
    target_link_options(${target} PRIVATE -static -static-libgcc -static-libstdc++)
  endif()
endfunction()
