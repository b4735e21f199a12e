// Replacement profiles: the path, the line reader, rule lines and the readers.
#include "engine/profile.h"

#include <utility>

namespace {

constexpr char kCtrlZ = 26;
constexpr std::size_t kBufferSize = std::size_t{64} * 1024;

}  // namespace

std::string ProfilePath(std::string_view plugin_dir, std::string_view name) {
  std::string path;
  path.reserve(plugin_dir.size() + 21 + name.size());
  path.append(plugin_dir);
  path.append("Plugins\\rep_profiles\\");
  path.append(name);
  return path;
}

// --- the line reader ---------------------------------------------------------

bool TProfileReader::Open(const std::string& path) {
  Close();
  failed_ = false;
  if (!ProfilePresent(path) || !file_.Open(path)) return false;
  ended_ = false;
  if (Peek() == kCtrlZ) ended_ = true;  // Ctrl-Z as the first byte: an empty file
  return true;
}

void TProfileReader::OpenFrom(TReadFunction read) {
  Close();
  failed_ = false;
  read_ = std::move(read);
  ended_ = false;
  if (Peek() == kCtrlZ) ended_ = true;
}

void TProfileReader::Close() {
  file_.Close();
  read_ = nullptr;
  position_ = 0;
  filled_ = 0;
  ended_ = true;
}

bool TProfileReader::Fill() {
  if (buffer_.empty()) buffer_.resize(kBufferSize);
  const std::ptrdiff_t read =
      read_ ? read_(buffer_.data(), buffer_.size()) : file_.Read(buffer_.data(), buffer_.size());
  position_ = 0;
  filled_ = 0;
  if (read < 0) failed_ = true;
  if (read <= 0) return false;
  filled_ = static_cast<std::size_t>(read) < buffer_.size() ? static_cast<std::size_t>(read)
                                                            : buffer_.size();
  return true;
}

int TProfileReader::Peek() {
  while (!ended_) {
    if (position_ == filled_ && !Fill()) {
      ended_ = true;
      break;
    }
    const char c = buffer_[position_];
    if (c != '\r') return static_cast<unsigned char>(c);
    Advance();  // a CR is dropped; before an LF the LF ends the line alone
  }
  return -1;
}

bool TProfileReader::AtEnd() {
  const int c = Peek();
  if (c == kCtrlZ) ended_ = true;  // at the start of a line: the end of the file
  return ended_;
}

std::string TProfileReader::ReadLine() {
  std::string line;
  bool skipping = false;  // after a Ctrl-Z inside the line
  for (int c = Peek(); c >= 0; c = Peek()) {
    Advance();
    if (c == '\n') break;
    if (c == kCtrlZ) skipping = true;
    if (!skipping) line.push_back(static_cast<char>(c));
  }
  if (failed_) line.clear();
  return line;
}

// --- rule lines --------------------------------------------------------------

TRule SplitRuleLine(std::string_view line) {
  TRule rule;
  const std::size_t space = line.find(' ');
  if (space == std::string_view::npos) {
    rule.Left.assign(line.data(), line.size());
    rule.Right = rule.Left;
    rule.SelfMapping = true;
    return rule;
  }
  rule.Left.assign(line.data(), space);
  rule.Right.assign(line.data() + space + 1, line.size() - space - 1);
  ReplaceAllInString(rule.Left, "/s", " ", false);
  ReplaceAllInString(rule.Right, "/s", " ", false);
  return rule;
}

// --- readers -----------------------------------------------------------------

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
  TProfileReader reader;
  return reader.Open(path) && ReadProfile(reader, profile);
}

bool ReadProfileInformation(const std::string& path, std::string* information) {
  TProfileReader reader;
  if (!reader.Open(path)) return false;
  std::string line = reader.ReadLine();
  if (reader.Failed()) return false;
  *information = std::move(line);
  return true;
}

bool RunProfileFile(TReplacePair& pair, std::string_view input, const std::string& path,
                    bool caseSensitiveOption, TDirection direction) {
  pair.Start(input);
  const int passes = PassCount(caseSensitiveOption);
  for (int pass = 0; pass < passes; ++pass) {
    TProfileReader reader;  // opened afresh for every pass
    if (!reader.Open(path)) return false;
    for (int header = 0; header < 3; ++header) reader.ReadLine();
    while (!reader.AtEnd()) {
      const std::string line = reader.ReadLine();
      if (reader.Failed()) return false;
      ApplyRule(pair, SplitRuleLine(line), PassIsCaseSensitive(pass), direction,
                TSelfMapping::kAlwaysIgnoreCase);
    }
    if (reader.Failed()) return false;
  }
  return true;
}
