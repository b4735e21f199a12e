#include "cli/core/text_filter.h"

#include "cli/core/code_page.h"
#include "cli/core/kept_letters_report.h"
#include "cli/core/messages.h"
#include "cli/core/profile_commands.h"
#include "cli/core/utf8_run.h"

namespace {

// Whether text holds a byte that starts a Cyrillic letter in UTF-8.
bool MayHoldCyrillic(std::string_view text) {
  for (char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0xD0 && byte <= 0xD4) return true;
  }
  return false;
}

// Counts the lines of a transliterated piece that keep Cyrillic letters.
void NoteKeptLetters(std::string_view piece, TKeptLetters* kept) {
  if (!MayHoldCyrillic(piece)) return;
  for (std::size_t start = 0; start < piece.size();) {
    std::size_t end = piece.find('\n', start);
    end = end == std::string_view::npos ? piece.size() : end + 1;
    kept->Add(piece.substr(start, end - start));
    start = end;
  }
}

}  // namespace

TMaybeError FilterText(TTextStream& stream, const std::function<std::string(std::string_view)>& run,
                       std::size_t pieceSize) {
  std::string buffer;  // what is read and not yet run: the start of an unfinished line at most
  for (;;) {
    const std::size_t before = buffer.size();
    TResult<std::size_t> read = stream.Read(pieceSize, &buffer);
    if (!read) return read.Error();
    if (*read == 0) break;
    // Only what was just read can hold the piece's last line break.
    const std::size_t last = std::string_view(buffer).substr(before).rfind('\n');
    if (last == std::string_view::npos) continue;
    const std::size_t end = before + last + 1;
    if (TMaybeError error = stream.Write(run(std::string_view(buffer).substr(0, end)))) {
      return error;
    }
    buffer.erase(0, end);
  }
  if (buffer.empty()) return std::nullopt;
  return stream.Write(run(buffer));
}

std::string LinesFrom1251(std::string_view piece) {
  if (IsUtf8(piece)) return std::string(piece);
  std::string text;
  text.reserve(piece.size() * 2);
  for (std::size_t start = 0; start < piece.size();) {
    std::size_t end = piece.find('\n', start);
    end = end == std::string_view::npos ? piece.size() : end + 1;
    const std::string_view line = piece.substr(start, end - start);
    text += IsUtf8(line) ? std::string(line) : Utf8From1251(line);
    start = end;
  }
  return text;
}

TResult<TExitStatus> RunTextFilter(const std::string& program, const TCommandOptions& options,
                                   TCommandPlatform& platform, TConsole& console) {
  const bool quiet = options.Verbosity == TVerbosity::kQuiet;
  TResult<std::string> path = FindProfile(platform, options.Profile);
  if (!path) return path.Error();
  TProfileEncoding encoding = TProfileEncoding::kWindows1251;
  TResult<TProfile> profile = ReadProfileFile(platform, *path, &encoding);
  if (!profile) return profile.Error();
  if (encoding == TProfileEncoding::kUtf8 && !quiet) {
    console.Err(program + ": note: " + Utf8ProfileNote(options.Profile) + "\n");
  }
  TTextRun text_run(std::move(profile->Rules), options.CaseSensitive,
                    options.Reverse ? TDirection::kReverse : TDirection::kForward);
  TKeptLetters kept;
  auto run = [&](std::string_view piece) {
    std::string result;
    if (options.From1251) {
      result = text_run.Run(LinesFrom1251(piece));
    } else {
      result = text_run.Run(piece);
    }
    NoteKeptLetters(result, &kept);
    return result;
  };

  const std::unique_ptr<TTextStream> stream = platform.OpenTextStream(options.From1251);
  if (!options.Files.empty()) {
    std::string text;
    for (const std::string& word : options.Files) text += (text.empty() ? "" : " ") + word;
    if (TMaybeError error = stream->Write(run(text + "\n"))) return *error;
  } else if (TMaybeError error = FilterText(*stream, run, kTextPiece)) {
    return *error;
  }
  if (quiet) return TExitStatus::kOk;
  if (text_run.MetBytesNotUtf8()) {
    console.Err(program + ": " +
                _("note: the text holds bytes that are not UTF-8, passed as they are; "
                  "try --from-cp1251") +
                "\n");
  }
  const std::string kept_line = KeptLettersReport(platform, *path, options, kept, "line");
  if (!kept_line.empty()) console.Err(kept_line);
  return TExitStatus::kOk;
}
