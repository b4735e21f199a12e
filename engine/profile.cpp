// Replacement profiles: the path, the line readers, rule lines and the readers.
#include "engine/profile.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <utility>

#include "engine/compiled_profile.h"
#include "engine/lower_case.h"
#include "engine/profile_cache.h"

namespace {

constexpr char kCtrlZ = 26;
constexpr std::size_t kReadPiece = std::size_t{64} * 1024;

// Where c first occurs in text, or text.size().
std::size_t Find(std::string_view text, char c) {
  if (text.empty()) return 0;  // its data may be null, which memchr must not see
  const void* at = std::memchr(text.data(), c, text.size());
  return at == nullptr ? text.size()
                       : static_cast<std::size_t>(static_cast<const char*>(at) - text.data());
}

// The text of a physical line (its LF left out): up to its first Ctrl-Z,
// every CR dropped. A view of line itself unless a CR other than a last one
// is dropped; then put together in joined.
std::string_view LineText(std::string_view line, std::string& joined) {
  line = line.substr(0, Find(line, kCtrlZ));
  const std::size_t cr = Find(line, '\r');
  if (cr == line.size()) return line;
  if (cr + 1 == line.size()) return line.substr(0, cr);  // CR LF
  joined.assign(line.data(), cr);
  for (std::size_t i = cr + 1; i < line.size(); ++i) {
    if (line[i] != '\r') joined.push_back(line[i]);
  }
  return joined;
}

}  // namespace

std::string ProfilePath(std::string_view plugin_dir, std::string_view name) {
  std::string path;
  path.reserve(plugin_dir.size() + 21 + name.size());
  path.append(plugin_dir);
  path.append("Plugins\\rep_profiles\\");
  path.append(name);
  return path;
}

// --- the line readers --------------------------------------------------------

TProfileLines::TProfileLines(std::string_view bytes) : rest_(bytes) {
  // Ctrl-Z as the first byte (CRs are not there): an empty file.
  AtEnd();
}

bool TProfileLines::AtEnd() {
  while (!rest_.empty() && rest_.front() == '\r') rest_.remove_prefix(1);
  if (!rest_.empty() && rest_.front() == kCtrlZ) rest_ = {};  // the end of the file
  return rest_.empty();
}

std::string_view TProfileLines::Next() {
  const std::size_t lf = Find(rest_, '\n');
  const std::string_view line = rest_.substr(0, lf);
  rest_.remove_prefix(lf < rest_.size() ? lf + 1 : lf);
  return LineText(line, joined_);
}

bool TProfileReader::Open(const std::string& path) {
  Close();
  failed_ = false;
  if (!ProfilePresent(path) || !file_.Open(path)) return false;
  exhausted_ = false;
  stopped_ = false;
  AtEnd();  // Ctrl-Z as the first byte: an empty file
  return true;
}

void TProfileReader::OpenFrom(TReadFunction read) {
  Close();
  failed_ = false;
  read_ = std::move(read);
  exhausted_ = false;
  stopped_ = false;
  AtEnd();
}

void TProfileReader::Close() {
  file_.Close();
  read_ = nullptr;
  held_.clear();
  position_ = 0;
  exhausted_ = true;
  stopped_ = true;
}

bool TProfileReader::Fill() {
  if (exhausted_) return false;
  held_.erase(0, position_);
  position_ = 0;
  const std::size_t size = held_.size();
  held_.resize(size + kReadPiece);
  const std::ptrdiff_t read =
      read_ ? read_(&held_[size], kReadPiece) : file_.Read(&held_[size], kReadPiece);
  const std::size_t got = read <= 0 ? 0
                          : static_cast<std::size_t>(read) < kReadPiece
                              ? static_cast<std::size_t>(read)
                              : kReadPiece;
  held_.resize(size + got);
  if (read < 0) failed_ = true;
  if (read <= 0) exhausted_ = true;
  return got > 0;
}

bool TProfileReader::SkipCarriageReturns() {
  for (;;) {
    while (position_ < held_.size() && held_[position_] == '\r') ++position_;
    if (position_ < held_.size()) return true;
    if (!Fill()) return false;
  }
}

bool TProfileReader::AtEnd() {
  if (stopped_ || failed_) return true;
  if (!SkipCarriageReturns() || failed_) return true;
  if (held_[position_] == kCtrlZ) stopped_ = true;  // at the start of a line: the end of the file
  return stopped_;
}

std::string TProfileReader::ReadLine() {
  if (stopped_ || failed_) return {};
  // Read on until the held bytes hold the line's LF, or the data ends.
  std::size_t searched = 0;  // bytes after position_ known to hold no LF
  std::size_t length = 0;
  for (;;) {
    const std::string_view rest = std::string_view(held_).substr(position_);
    length = searched + Find(rest.substr(searched), '\n');
    if (length < rest.size()) break;
    searched = rest.size();
    if (!Fill()) break;
  }
  if (failed_) return {};
  std::string joined;
  std::string line(LineText(std::string_view(held_).substr(position_, length), joined));
  position_ = std::min(held_.size(), position_ + length + 1);
  return line;
}

// --- rule lines --------------------------------------------------------------

namespace {

// Whether term may hold "/s" as ReplaceAllInString(term, "/s", " ", false)
// finds it: some byte of it lower-cases as "/" does.
bool MayHoldSpaceMark(std::string_view term) {
  const unsigned char* lower = LowerCaseTable();
  const unsigned char slash = lower[static_cast<unsigned char>('/')];
  for (const char c : term) {
    if (lower[static_cast<unsigned char>(c)] == slash) return true;
  }
  return false;
}

void UnescapeSpaces(std::string& term) {
  if (MayHoldSpaceMark(term)) ReplaceAllInString(term, "/s", " ", false);
}

}  // namespace

TRule SplitRuleLine(std::string_view line) {
  TRule rule;
  const std::size_t space = Find(line, ' ');
  if (space == line.size()) {
    rule.Left.assign(line.data(), line.size());
    rule.Right = rule.Left;
    rule.SelfMapping = true;
    return rule;
  }
  rule.Left.assign(line.data(), space);
  rule.Right.assign(line.data() + space + 1, line.size() - space - 1);
  UnescapeSpaces(rule.Left);
  UnescapeSpaces(rule.Right);
  return rule;
}

// --- readers -----------------------------------------------------------------

TProfile ProfileFromBytes(std::string_view bytes) {
  TProfileLines lines(bytes);
  TProfile profile;
  profile.Information = lines.Next();
  profile.LeftName = lines.Next();
  profile.RightName = lines.Next();
  while (!lines.AtEnd()) profile.Rules.push_back(SplitRuleLine(lines.Next()));
  return profile;
}

bool ReadProfile(TProfileReader& reader, TProfile* profile) {
  TProfile read;
  read.Information = reader.ReadLine();
  read.LeftName = reader.ReadLine();
  read.RightName = reader.ReadLine();
  while (!reader.AtEnd()) read.Rules.push_back(SplitRuleLine(reader.ReadLine()));
  if (reader.Failed()) return false;
  *profile = std::move(read);
  return true;
}

bool ReadProfile(const std::string& path, TProfile* profile) {
  std::string bytes;
  if (!ReadProfileFile(path, &bytes)) return false;
  *profile = ProfileFromBytes(bytes);
  return true;
}

bool ReadProfileInformation(const std::string& path, std::string* information) {
  std::string bytes;
  if (!ReadProfileFile(path, &bytes)) return false;
  information->assign(TProfileLines(bytes).Next());
  return true;
}

bool RunProfileFile(TReplacePair& pair, std::string_view input, const std::string& path,
                    bool caseSensitiveOption, TDirection direction) {
  std::string bytes;
  if (!ReadProfileFile(path, &bytes)) return false;
  const std::shared_ptr<const TCompiledProfile> profile = CompiledProfileFor(std::move(bytes));
  RunCompiledProfile(pair, input, *profile, caseSensitiveOption, direction);
  return true;
}
