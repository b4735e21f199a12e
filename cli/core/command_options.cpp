#include "cli/core/command_options.h"

#include <CLI/CLI.hpp>

#include <algorithm>

namespace {

constexpr char kFooter[] =
    "Without -r a folder stands for the files directly in it. A symbolic link\n"
    "is renamed as the link it is. A rename never replaces anything: when the\n"
    "new name is taken, the file keeps its name and the reason is printed.\n"
    "\n"
    "Every run that renames something writes a journal; --undo puts the newest\n"
    "batch back, refusing a file that has changed since or whose old name is\n"
    "taken (those stay in the journal for another --undo).\n"
    "\n"
    "Exit status: 0 when every file was renamed or keeps its name because the\n"
    "profile leaves it alone, 1 when a file could not be renamed (with -n: would\n"
    "not be), 2 on a usage error, a missing profile or a failed set-up (nothing\n"
    "is touched then).";

TParseOutcome Usage(const std::string& program, const std::string& message) {
  return TParseOutcome::UsageError(program + ": " + message + "\nTry '" + program +
                                   " --help' for more.\n");
}

// The first argument that CLI11 left over and that looks like an option:
// the unknown one, not merely the first option given.
std::string FirstUnknownOption(const std::vector<std::string>& args,
                               const std::vector<std::string>& leftOver) {
  for (const std::string& arg : args) {
    if (arg == "--") break;
    const bool left_over = std::find(leftOver.begin(), leftOver.end(), arg) != leftOver.end();
    if (left_over && arg.size() > 1 && arg[0] == '-') return arg;
  }
  return leftOver.empty() ? std::string() : leftOver.front();
}

}  // namespace

TParseOutcome ParseCommandLine(const std::string& program, const std::string& version,
                               const std::vector<std::string>& args, TCommandOptions* options) {
  CLI::App app(
      "Renames files by a transliteration profile, for example Russian Cyrillic into "
      "Latin.\n  " +
          program + " [options] FILE|FOLDER...\n  " + program +
          " --undo [FOLDER...] | --undo --list | --list | --check FILE.pch\n  " + program +
          " -t [TEXT...]   (standard input to standard output without TEXT)\n",
      program);
  app.footer(kFooter);
  app.set_version_flag("--version", program + " " + version);
  app.get_formatter()->column_width(28);

  app.add_option("-p,--profile", options->Profile,
                 "a profile of the profile folder, or a path to a .pch file of your own "
                 "(default standart.pch)")
      ->option_text("NAME|PATH");
  app.add_flag("--reverse", options->Reverse, "right-hand terms back into left-hand ones");
  app.add_flag("--case", options->CaseSensitive,
               "letter case counts (one exact pass instead of two)");
  app.add_flag("--ext", options->Extension, "transliterate the extension too");
  app.add_flag("-n,--dry-run,--preview", options->DryRun,
               "show what would be renamed, and why a file would keep its name; rename nothing");
  app.add_flag("-r,--recursive", options->Recursive,
               "everything under a folder: files first, then subfolders, deepest first "
               "(the named folder keeps its name)");
  app.add_option("--from0", options->From0,
                 "also rename the paths in FILE (- for standard input), separated by NUL bytes "
                 "as find -print0 writes them")
      ->option_text("FILE|-")
      ->allow_extra_args(false);
  auto* verbose = app.add_flag("-v,--verbose", "also list the files that keep their name");
  auto* quiet = app.add_flag("-q,--quiet", "print nothing but errors");
  app.add_flag("--cross-file-systems", options->CrossFileSystems,
               "let -r go on into folders of other file systems (it stays in one by default)");
  app.add_flag("-0,--print0", options->Print0,
               "print each renamed file as OLD, NUL, NEW, NUL, raw, for scripts");
  app.add_flag("--undo", options->Undo,
               "put back the newest batch of renames made in the current folder or the FOLDERs "
               "given (or below them)");
  app.add_option("--batch", options->Batch, "with --undo: that batch (see --undo --list)")
      ->option_text("ID");
  app.add_option("--forget", options->Forget,
                 "with --undo: drop what remains of a batch from its journal, saying what will "
                 "never come back")
      ->option_text("ID");
  app.add_flag("--list", options->List,
               "the profiles with their information lines (with --undo: the batches)");
  // A flag whose profile is the one argument, so that --check --reverse
  // FILE.pch reads as it is meant.
  bool check = false;
  app.add_flag("--check", check,
               "FILE.pch: report the rules of a profile that cannot work as written (with "
               "--reverse: also every two- and three-letter sequence that does not read back)");
  app.add_flag("-t,--text", options->Text,
               "transliterate TEXT, or standard input to standard output, instead of file names");
  app.add_flag("--from-cp1251", options->From1251,
               "read names (and text) that are not UTF-8 as Windows-1251, as convmv -f cp1251");
  app.add_option("files", options->Files, "files and folders to rename (with -t: the text)")
      ->option_text("FILE");

  std::vector<std::string> reversed(args.rbegin(), args.rend());  // CLI11 takes them from the back
  try {
    app.parse(reversed);
  } catch (const CLI::CallForHelp&) {
    return TParseOutcome::Answer(app.help());
  } catch (const CLI::CallForVersion&) {
    return TParseOutcome::Answer(program + " " + version + "\n");
  } catch (const CLI::ExtrasError&) {
    return Usage(program, "unknown option " + FirstUnknownOption(args, app.remaining()));
  } catch (const CLI::ParseError& error) {
    return Usage(program, error.what());
  }
  if (check) {
    if (options->Files.size() != 1 || !options->From0.empty()) {
      return Usage(program, "--check takes one profile");
    }
    options->Check = options->Files.front();
    options->Files.clear();
  }
  if (verbose->count() > 0 && quiet->count() > 0) {
    return Usage(program, "--verbose and --quiet exclude each other");
  }
  if (!options->Undo && (!options->Batch.empty() || !options->Forget.empty())) {
    return Usage(program, "--batch and --forget go with --undo");
  }
  const bool undo_list = options->Undo && options->List;
  if (int(options->Undo) + int(options->List && !undo_list) + int(!options->Check.empty()) > 1) {
    return Usage(program, "--undo, --list and --check exclude each other");
  }
  if (verbose->count() > 0) options->Verbosity = TVerbosity::kVerbose;
  if (quiet->count() > 0) options->Verbosity = TVerbosity::kQuiet;
  if (options->Text && (options->Undo || options->List || !options->Check.empty() ||
                        options->DryRun || options->Recursive || options->Extension ||
                        !options->From0.empty() || options->Print0 || options->CrossFileSystems)) {
    return Usage(program,
                 "-t takes no --undo, --list, --check, -n, -r, --ext, --from0 or --print0");
  }
  if (options->Text) return TParseOutcome::RunWithOptions();
  const bool has_files = !options->Files.empty() || !options->From0.empty();
  if ((options->List || !options->Check.empty()) && has_files) {
    return Usage(program, "--list and --check take no files");
  }
  if (options->Undo && !options->From0.empty()) return Usage(program, "--undo takes no --from0");
  if (!has_files && !options->Undo && !options->List && options->Check.empty()) {
    return Usage(program, "no files given");
  }
  return TParseOutcome::RunWithOptions();
}
