#include "cli/windows/text_stream.h"

#include <windows.h>

#include <cstring>

#include "cli/core/code_page.h"
#include "cli/core/messages.h"
#include "cli/windows/system_error.h"
#include "cli/windows/text.h"

namespace {

enum class TEncoding { kUndecided, kUtf8, kUtf16, kCodePage };

constexpr char kUtf8Mark[] = "\xEF\xBB\xBF";
constexpr char kUtf16Mark[] = "\xFF\xFE";

bool IsConsole(HANDLE handle) {
  DWORD mode = 0;
  return GetConsoleMode(handle, &mode) != 0;
}

// Whether bytes are UTF-8, but for a sequence cut short at their end.
bool LooksUtf8(std::string_view bytes) {
  std::size_t cut = bytes.size();
  for (int i = 0; i < 3 && cut > 0 && (static_cast<unsigned char>(bytes[cut - 1]) & 0xC0) == 0x80;
       ++i) {
    --cut;
  }
  if (cut > 0 && static_cast<unsigned char>(bytes[cut - 1]) >= 0xC0) --cut;
  return IsUtf8(bytes.substr(0, cut));
}

class TWindowsTextStream : public TTextStream {
 public:
  explicit TWindowsTextStream(bool from1251)
      : input_(GetStdHandle(STD_INPUT_HANDLE)),
        output_(GetStdHandle(STD_OUTPUT_HANDLE)),
        code_page_(from1251 ? 1251 : GetACP()) {}

  TResult<std::size_t> Read(std::size_t atMost, std::string* utf8) override {
    if (IsConsole(input_)) return ReadConsole(atMost, utf8);
    // A piece may give nothing yet (a line of the code page not ended, half
    // a UTF-16 character): read on until it gives something or ends.
    for (;;) {
      std::string bytes(atMost, '\0');
      DWORD read = 0;
      if (!ReadFile(input_, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr)) {
        const DWORD error = GetLastError();
        if (error != ERROR_BROKEN_PIPE) return ErrorOfSystemError(_("standard input"), error);
        read = 0;  // the writer has finished
      }
      bytes.resize(read);
      const std::size_t before = utf8->size();
      Decode(bytes, read == 0, utf8);
      if (read == 0 || utf8->size() > before) return utf8->size() - before;
    }
  }

  TMaybeError Write(std::string_view utf8) override {
    std::string bytes;
    if (IsConsole(output_)) {
      const std::wstring wide = WideFromUtf8(utf8);
      DWORD written = 0;
      if (WriteConsoleW(output_, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr)) {
        return std::nullopt;
      }
      return ErrorOfSystemError(_("standard output"), GetLastError());
    }
    if (!mark_written_) {
      mark_written_ = true;
      if (encoding_ == TEncoding::kUtf16) bytes = kUtf16Mark;
      if (encoding_ == TEncoding::kUtf8 && utf8_mark_) bytes = kUtf8Mark;
    }
    if (encoding_ == TEncoding::kUtf16) {
      const std::wstring wide = WideFromUtf8(utf8);
      bytes.append(reinterpret_cast<const char*>(wide.data()), wide.size() * sizeof(wchar_t));
    } else if (encoding_ == TEncoding::kCodePage) {
      bytes += CodePageFromWide(code_page_, WideFromUtf8(utf8));
    } else {
      bytes += utf8;
    }
    DWORD written = 0;
    if (WriteFile(output_, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
        written == bytes.size()) {
      return std::nullopt;
    }
    return ErrorOfSystemError(_("standard output"), GetLastError());
  }

 private:
  TResult<std::size_t> ReadConsole(std::size_t atMost, std::string* utf8) {
    std::wstring wide(atMost / 2 + 2, L'\0');
    DWORD read = 0;
    if (!ReadConsoleW(input_, wide.data(), static_cast<DWORD>(wide.size()) - 1, &read, nullptr)) {
      return ErrorOfSystemError(_("standard input"), GetLastError());
    }
    wide.resize(read);
    // Ctrl+Z at the start of a line ends the text, as in cmd.exe's copy con.
    if (!wide.empty() && wide[0] == L'\x1A') wide.clear();
    const std::size_t before = utf8->size();
    utf8->append(Utf8FromWide(wide));
    return utf8->size() - before;
  }

  // Appends bytes (atEnd: the last of them) as UTF-8, deciding the encoding
  // by the first.
  void Decode(const std::string& bytes, bool atEnd, std::string* utf8) {
    pending_ += bytes;
    if (encoding_ == TEncoding::kUndecided) {
      if (pending_.size() < 3 && !atEnd) return;
      if (pending_.compare(0, 2, kUtf16Mark) == 0) {
        encoding_ = TEncoding::kUtf16;
        pending_.erase(0, 2);
      } else if (pending_.compare(0, 3, kUtf8Mark) == 0) {
        encoding_ = TEncoding::kUtf8;
        utf8_mark_ = true;
        pending_.erase(0, 3);
      } else {
        encoding_ = LooksUtf8(pending_) ? TEncoding::kUtf8 : TEncoding::kCodePage;
      }
    }
    std::size_t take = pending_.size();
    if (encoding_ == TEncoding::kUtf8) {
      utf8->append(pending_);
    } else if (encoding_ == TEncoding::kUtf16) {
      take -= take % 2;
      // A high surrogate waits for its pair.
      if (take >= 2 && !atEnd) {
        const auto last =
            static_cast<wchar_t>(static_cast<unsigned char>(pending_[take - 2]) |
                                 (static_cast<unsigned char>(pending_[take - 1]) << 8));
        if (last >= 0xD800 && last <= 0xDBFF) take -= 2;
      }
      std::wstring wide(take / 2, L'\0');
      std::memcpy(wide.data(), pending_.data(), take);
      utf8->append(Utf8FromWide(wide));
    } else {
      // Whole lines, so that no character of a double-byte code page is cut.
      if (!atEnd) take = pending_.rfind('\n') + 1;  // 0 without one
      utf8->append(
          Utf8FromWide(WideFromCodePage(code_page_, std::string_view(pending_).substr(0, take))));
    }
    pending_.erase(0, take);
  }

  HANDLE input_;
  HANDLE output_;
  UINT code_page_;
  TEncoding encoding_ = TEncoding::kUndecided;
  bool utf8_mark_ = false;
  bool mark_written_ = false;
  std::string pending_;  // read but not yet decoded
};

}  // namespace

std::unique_ptr<TTextStream> MakeWindowsTextStream(bool from1251) {
  return std::make_unique<TWindowsTextStream>(from1251);
}
