#include "cli/core/utf8_run.h"

#include <algorithm>
#include <array>

#include "cli/core/code_page.h"
#include "cli/core/normal_form.h"

namespace {

// Each Windows-1251 byte in UTF-8: its length, then its bytes.
using TUtf8Table = std::array<std::array<char, 4>, 256>;

TUtf8Table MakeUtf8Table() {
  TUtf8Table table{};
  for (int byte = 0; byte < 256; ++byte) {
    const std::string utf8 = Utf8From1251(std::string(1, static_cast<char>(byte)));
    table[byte][0] = static_cast<char>(utf8.size());
    std::copy(utf8.begin(), utf8.end(), table[byte].begin() + 1);
  }
  return table;
}

void AppendFrom1251(std::string_view text1251, std::string* out) {
  static const TUtf8Table table = MakeUtf8Table();
  const std::size_t start = out->size();
  out->resize(start + text1251.size() * 3);
  char* write = out->data() + start;
  for (char c : text1251) {
    const auto& utf8 = table[static_cast<unsigned char>(c)];
    // Copying all three bytes is cheaper than asking how many.
    write[0] = utf8[1];
    write[1] = utf8[2];
    write[2] = utf8[3];
    write += utf8[0];
  }
  out->resize(static_cast<std::size_t>(write - out->data()));
}

void RunStretch(const std::string& text1251, const std::vector<TRule>& rules,
                const TRunOptions& options, TReplacePair& pair, std::string* out) {
  RunReplacement(pair, text1251, rules, options);
  AppendFrom1251(pair.ResultText(), out);
}

// The Windows-1251 byte of the character at text[at] and its length in
// bytes: the byte is -1 for a character the code page lacks, and the length
// 0 for a byte that is not UTF-8.
int ByteAt(std::string_view text, std::size_t at, std::size_t* length) {
  const auto lead = static_cast<unsigned char>(text[at]);
  if (lead < 0x80) {
    *length = 1;
    return lead;
  }
  // А to я: 0xD0 0x90-0xBF and 0xD1 0x80-0x8F.
  if ((lead == 0xD0 || lead == 0xD1) && at + 1 < text.size()) {
    const auto next = static_cast<unsigned char>(text[at + 1]);
    const int character = ((lead & 0x1F) << 6) | (next & 0x3F);
    if ((next & 0xC0) == 0x80 && character >= 0x410 && character <= 0x44F) {
      *length = 2;
      return character - 0x410 + 0xC0;
    }
  }
  char32_t character = 0;
  *length = DecodeUtf8(text, at, &character);
  return *length == 0 ? -1 : Cp1251ByteOf(character);
}

// Whether a piece needs preparing before its run: a character that is not
// plain (cli/core/normal_form.h), a byte that is not UTF-8, or one of the
// active lookalikes. One scan, as most pieces need nothing.
bool NeedsPreparing(std::string_view piece, const std::vector<TLookalike>& lookalikes) {
  for (std::size_t at = 0; at < piece.size();) {
    const auto lead = static_cast<unsigned char>(piece[at]);
    if (lead < 0x80) {
      ++at;
      continue;
    }
    // Cyrillic letters (plain, and none a lookalike) by their lead bytes.
    if ((lead == 0xD0 || lead == 0xD1 || lead == 0xD3) && at + 1 < piece.size() &&
        (static_cast<unsigned char>(piece[at + 1]) & 0xC0) == 0x80) {
      at += 2;
      continue;
    }
    char32_t character = 0;
    const std::size_t length = DecodeUtf8(piece, at, &character);
    if (length == 0 || !IsPlainCharacter(character)) return true;
    for (const TLookalike& lookalike : lookalikes) {
      if (lookalike.Character == character) return true;
    }
    at += length;
  }
  return false;
}

}  // namespace

std::string RunOverUtf8(std::string_view utf8, const std::vector<TRule>& rules,
                        const TRunOptions& options, TReplacePair& pair) {
  std::string result;
  result.reserve(utf8.size() + utf8.size() / 4);
  std::string stretch;  // Windows-1251 text not yet run through the profile
  stretch.reserve(utf8.size());
  for (std::size_t at = 0; at < utf8.size();) {
    std::size_t length = 0;
    const int byte = ByteAt(utf8, at, &length);
    if (byte >= 0) {
      stretch.push_back(static_cast<char>(byte));
    } else {
      if (!stretch.empty()) RunStretch(stretch, rules, options, pair, &result);
      stretch.clear();
      if (length == 0) length = 1;  // a byte that is not UTF-8 passes as it is
      result.append(utf8.substr(at, length));
    }
    at += length;
  }
  if (!stretch.empty() || utf8.empty()) RunStretch(stretch, rules, options, pair, &result);
  return result;
}

TTextRun::TTextRun(std::vector<TRule> rules, bool caseSensitive, TDirection direction)
    : rules_(std::move(rules)), lookalikes_(ActiveLookalikes(rules_, direction)) {
  options_.CaseSensitive = caseSensitive;
  options_.Direction = direction;
  options_.SelfMapping = TSelfMapping::kLikeEveryRule;
}

std::string TTextRun::Run(std::string_view piece) {
  // Plain text stays plain: every character a stretch gives back is one of
  // Windows-1251, and the rest passes through as it came.
  if (!NeedsPreparing(piece, lookalikes_)) {
    return RunOverUtf8(piece, rules_, options_, pair_);
  }
  met_bytes_not_utf8_ = met_bytes_not_utf8_ || !IsUtf8(piece);
  return ToNfc(RunOverUtf8(PrepareForRun(piece, lookalikes_), rules_, options_, pair_));
}
