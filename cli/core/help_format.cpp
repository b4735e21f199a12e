#include "cli/core/help_format.h"

namespace {

constexpr std::size_t kWidth = 79;
constexpr std::size_t kDescriptionColumn = 28;

}  // namespace

std::size_t TextWidth(std::string_view utf8) {
  std::size_t width = 0;
  for (const char c : utf8) width += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  return width;
}

std::string WrapText(std::string_view text, std::size_t width, std::size_t firstColumn,
                     std::size_t indent) {
  std::string wrapped;
  std::size_t column = firstColumn;
  bool line_start = true;
  std::size_t at = 0;
  while (at < text.size()) {
    if (text[at] == '\n') {
      wrapped += '\n' + std::string(indent, ' ');
      column = indent;
      line_start = true;
      ++at;
      continue;
    }
    if (text[at] == ' ') {
      ++at;
      continue;
    }
    const std::size_t end = text.find_first_of(" \n", at);
    const std::string_view word =
        text.substr(at, end == std::string_view::npos ? std::string_view::npos : end - at);
    const std::size_t word_width = TextWidth(word);
    if (!line_start && column + 1 + word_width > width) {
      wrapped += '\n' + std::string(indent, ' ');
      column = indent;
      line_start = true;
    }
    if (!line_start) {
      wrapped += ' ';
      ++column;
    }
    wrapped += word;
    column += word_width;
    line_start = false;
    at += word.size();
  }
  return wrapped;
}

std::string THelpFormatter::make_help(const CLI::App* app, std::string, CLI::AppFormatMode) const {
  std::string text = usage_;
  for (const std::string& group : app->get_groups()) {
    if (group.empty()) continue;  // the hidden ones: the files
    const std::vector<const CLI::Option*> options = app->get_options(
        [&group](const CLI::Option* option) { return option->get_group() == group; });
    if (!options.empty()) text += "\n" + make_group(group, false, options);
  }
  return text + "\n" + app->get_footer();
}

std::string THelpFormatter::make_group(std::string group, bool,
                                       std::vector<const CLI::Option*> options) const {
  std::string text = group + ":\n";
  for (const CLI::Option* option : options) text += make_option(option, false);
  return text;
}

std::string THelpFormatter::make_option(const CLI::Option* option, bool) const {
  std::string names;
  for (const std::string& name : option->get_snames()) names += "-" + name + ", ";
  if (names.empty()) names = "    ";
  bool first = true;
  for (const std::string& name : option->get_lnames()) {
    names += (first ? "--" : ", --") + name;
    first = false;
  }
  if (!option->get_option_text().empty()) names += " " + option->get_option_text();
  std::string line = "  " + names;
  std::size_t column = TextWidth(line);
  if (column + 2 > kDescriptionColumn) {
    line += "\n";
    column = 0;
  }
  line += std::string(kDescriptionColumn - column, ' ');
  return line +
         WrapText(option->get_description(), kWidth, kDescriptionColumn, kDescriptionColumn) + "\n";
}

std::string HelpParagraph(std::string_view text) { return WrapText(text, kWidth, 0, 0) + "\n"; }

std::string HelpExample(std::string_view command, std::string_view meaning) {
  std::string line = "  " + std::string(command);
  const std::size_t column = TextWidth(line);
  line += column + 2 > kDescriptionColumn ? "\n" + std::string(kDescriptionColumn, ' ')
                                          : std::string(kDescriptionColumn - column, ' ');
  return line + WrapText(meaning, kWidth, kDescriptionColumn, kDescriptionColumn) + "\n";
}
