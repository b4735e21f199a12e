// The Linux command's text filter streams: standard input and output as
// the bytes they are (UTF-8, or Windows-1251 lines the core converts).
#pragma once

#include <memory>

#include "cli/core/platform.h"

std::unique_ptr<TTextStream> MakeLinuxTextStream();
