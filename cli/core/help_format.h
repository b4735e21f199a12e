// The layout of --help, in place of CLI11's own: the usage lines, then the
// options group by group, each as "  -p, --profile NAME|PATH" and its
// description wrapped beside it to 79 columns. Widths count characters, not
// bytes, so that a Russian description lines up as an English one does.
//
//   CLI::App app(description, "translit");
//   app.formatter(std::make_shared<THelpFormatter>(usageLines));
//   app.help()  // "Usage: ...\n<description>\n\nRenaming:\n  -p, --profile ..."
#pragma once

#include <CLI/CLI.hpp>
#include <string>
#include <string_view>
#include <vector>

class THelpFormatter : public CLI::Formatter {
 public:
  explicit THelpFormatter(std::string usage) : usage_(std::move(usage)) {}

  // usage, every group of options that has a name, the app's footer.
  std::string make_help(const CLI::App* app, std::string name,
                        CLI::AppFormatMode mode) const override;
  std::string make_group(std::string group, bool isPositional,
                         std::vector<const CLI::Option*> options) const override;
  std::string make_option(const CLI::Option* option, bool isPositional) const override;

 private:
  std::string usage_;
};

// A paragraph of the help, wrapped to 79 columns, with its line break.
std::string HelpParagraph(std::string_view text);
// An example: "  COMMAND" and its meaning beside it in the description column.
std::string HelpExample(std::string_view command, std::string_view meaning);

// The characters of a UTF-8 text (its bytes that start one).
std::size_t TextWidth(std::string_view utf8);

// text broken at spaces into lines of at most width characters (a longer
// word stands alone), each after indent spaces but the first, which starts
// firstColumn characters in. Line breaks in text are kept.
//   WrapText("aa bb cc", 5, 0, 2) == "aa bb\n  cc"
std::string WrapText(std::string_view text, std::size_t width, std::size_t firstColumn,
                     std::size_t indent);
