// The text filter, -t: standard input (or the text of the arguments)
// transliterated to standard output by a profile (cli/core/utf8_run.h).
//
// Input goes through in pieces cut at line ends, each run on its own. No
// find term can hold a line break, so the result equals one run over the
// whole text, and memory stays bounded by the piece size and the longest
// line (a line longer than a piece is read on until it ends).
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

#include "cli/core/console.h"
#include "cli/core/platform.h"

// The piece the filter reads at a time.
inline constexpr std::size_t kTextPiece = std::size_t{1} << 20;

// Reads stream to its end and writes run(piece) for each piece of whole
// lines, of about pieceSize bytes (the last piece may end without a line
// break). The error of a read or a write, if any.
TMaybeError FilterText(TTextStream& stream, const std::function<std::string(std::string_view)>& run,
                       std::size_t pieceSize);

// Lines of a piece of text that are not UTF-8 read as Windows-1251; the
// other lines as they are. "\xd9\xf3\xea\xe0\n" -> "Щука\n".
std::string LinesFrom1251(std::string_view piece);

// -t: the run (profile, --reverse, --case, --from-cp1251), a note on a
// UTF-8 profile and on text that is not UTF-8, and the kept-letters line
// (cli/core/kept_letters_report.h) on standard error.
TResult<TExitStatus> RunTextFilter(const std::string& program, const TCommandOptions& options,
                                   TCommandPlatform& platform, TConsole& console);
