#include "reference_profile.h"

#include <string>
#include <vector>

#include "engine/oracle/literal_engine.h"

namespace reference {

namespace {

constexpr char kCtrlZ = 26;

std::string_view TextOfLine(std::string_view line) {
  return line.substr(0, line.find(kCtrlZ));
}

std::string Unescape(std::string_view term) {
  std::string text(term);
  oracle::ReplaceAllInString(text, "/s", " ", false);
  return text;
}

}  // namespace

TRule SplitRuleLine(std::string_view line) {
  TRule rule;
  const std::size_t space = line.find(' ');
  if (space == std::string_view::npos) {
    rule.Left = std::string(line);
    rule.Right = rule.Left;
    rule.SelfMapping = true;
  } else {
    rule.Left = Unescape(line.substr(0, space));
    rule.Right = Unescape(line.substr(space + 1));
  }
  return rule;
}

TProfile ReadProfile(std::string_view image) {
  std::string data;
  for (const char c : image) {
    if (c != '\r') data.push_back(c);
  }
  TProfile profile;
  if (data.empty() || data[0] == kCtrlZ) return profile;

  std::vector<std::string_view> lines;
  const std::string_view rest(data);
  for (std::size_t start = 0; start < rest.size();) {
    const std::size_t lf = rest.find('\n', start);
    if (lf == std::string_view::npos) {
      lines.push_back(rest.substr(start));
      break;
    }
    lines.push_back(rest.substr(start, lf - start));
    start = lf + 1;
  }

  std::string* header[] = {&profile.Information, &profile.LeftName, &profile.RightName};
  for (std::size_t i = 0; i < 3 && i < lines.size(); ++i) *header[i] = TextOfLine(lines[i]);
  for (std::size_t i = 3; i < lines.size(); ++i) {
    if (!lines[i].empty() && lines[i][0] == kCtrlZ) break;
    profile.Rules.push_back(SplitRuleLine(TextOfLine(lines[i])));
  }
  return profile;
}

}  // namespace reference
