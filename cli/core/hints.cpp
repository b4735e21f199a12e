#include "cli/core/hints.h"

#include <algorithm>

#include "cli/core/messages.h"

namespace {

constexpr std::size_t kMostEdits = 4;

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

std::string_view WithoutSuffix(std::string_view name) {
  constexpr std::string_view kSuffix = ".pch";
  if (name.size() > kSuffix.size() && name.substr(name.size() - kSuffix.size()) == kSuffix) {
    name.remove_suffix(kSuffix.size());
  }
  return name;
}

// Levenshtein distance, letter case of ASCII ignored.
std::size_t EditDistance(std::string_view a, std::string_view b) {
  std::vector<std::size_t> row(b.size() + 1);
  for (std::size_t j = 0; j <= b.size(); ++j) row[j] = j;
  for (std::size_t i = 1; i <= a.size(); ++i) {
    std::size_t diagonal = row[0];
    row[0] = i;
    for (std::size_t j = 1; j <= b.size(); ++j) {
      const std::size_t above = row[j];
      const std::size_t change = diagonal + (Lower(a[i - 1]) == Lower(b[j - 1]) ? 0 : 1);
      row[j] = std::min({above + 1, row[j - 1] + 1, change});
      diagonal = above;
    }
  }
  return row[b.size()];
}

}  // namespace

std::string NearestName(std::string_view wanted, const std::vector<std::string>& names) {
  const std::string_view stem = WithoutSuffix(wanted);
  std::string nearest;
  std::size_t best = kMostEdits + 1;
  for (const std::string& name : names) {
    const std::string_view other = WithoutSuffix(name);
    const std::size_t distance = EditDistance(stem, other);
    if (distance < best && distance * 3 <= other.size()) {
      best = distance;
      nearest = name;
    }
  }
  return nearest;
}

TMaybeError NewlineListError(const std::string& source, std::string_view bytes) {
  if (bytes.find('\0') != std::string_view::npos) return std::nullopt;
  const std::size_t breaks = static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\n'));
  // One path with a final line break is still one path with a line break:
  // a name may hold one, but a list written by ls or echo ends that way.
  if (breaks == 0) return std::nullopt;
  return TError{source, _("the list holds line breaks but no NUL byte; --from0 takes paths "
                          "separated by NUL bytes (did you mean find -print0?)")};
}
