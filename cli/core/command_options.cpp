#include "cli/core/command_options.h"

#include <CLI/CLI.hpp>

#include <algorithm>

#include "cli/core/help_format.h"
#include "cli/core/messages.h"

namespace {

// What --help says after the options: examples, then how a run behaves.
std::string HelpFooter(const std::string& program) {
  return std::string(_("Examples:")) + "\n" +
         HelpExample(program + " -n *.txt", _("show what would be renamed, and why not")) +
         HelpExample(program + " -r " + _("Music"),
                     _("rename everything under a folder, subfolders too")) +
         HelpExample(program + " --undo", _("put the last run's renames back")) + "\n" +
         HelpParagraph(
             _("Without -r a folder stands for the files directly in it. A symbolic link is "
               "renamed as the link it is. A rename never replaces anything: when the new name "
               "is taken, the file keeps its name and the reason is printed.")) +
         "\n" +
         HelpParagraph(
             _("Every run that renames something writes a journal; --undo puts the newest batch "
               "back, refusing a file that has changed since or whose old name is taken (those "
               "stay in the journal for another --undo).")) +
         "\n" +
         HelpParagraph(
             _("Exit status: 0 when every file was renamed or keeps its name because the profile "
               "leaves it alone, 1 when a file could not be renamed (with -n: would not be), 2 on "
               "a usage error, a missing profile or a failed set-up (nothing is touched then)."));
}

TParseOutcome Usage(const std::string& program, const std::string& message) {
  return TParseOutcome::UsageError(program + ": " + message + "\n" +
                                   Format(_("Try '%s --help' for more."), program) + "\n");
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
  CLI::App app("", program);
  app.formatter(std::make_shared<THelpFormatter>(
      Format(_("Usage: %s [OPTION]... FILE|FOLDER...\n"
               "  or:  %s --undo [FOLDER...] | --undo --list | --list | --check FILE.pch\n"
               "  or:  %s -t [TEXT...]   (standard input to standard output without TEXT)\n"),
             program, program, program) +
      HelpParagraph(_("Renames files by a transliteration profile, for example Russian Cyrillic "
                      "into Latin."))));
  app.footer(HelpFooter(program));
  const std::string renaming = _("Renaming");
  const std::string printing = _("Trying first, and what is printed");
  const std::string other = _("Other tasks");
  app.option_defaults()->group(other);

  app.add_option("-p,--profile", options->Profile,
                 _("a profile by its name (see --list), or the path to a .pch file of your own "
                   "(default standart.pch)"))
      ->option_text(_("NAME|PATH"))
      ->group(renaming);
  app.add_flag("--reverse", options->Reverse, _("right-hand terms back into left-hand ones"))
      ->group(renaming);
  app.add_flag("--case", options->CaseSensitive,
               _("letter case counts (one exact pass instead of two)"))
      ->group(renaming);
  app.add_flag("--ext", options->Extension, _("transliterate the extension too"))->group(renaming);
  app.add_flag("-r,--recursive", options->Recursive,
               _("everything under a folder: files first, then subfolders, deepest first "
                 "(the named folder keeps its name)"))
      ->group(renaming);
  app.add_option("--from0", options->From0,
                 _("also rename the paths in FILE (- for standard input), separated by NUL bytes "
                   "as find -print0 writes them"))
      ->option_text(_("FILE|-"))
      ->allow_extra_args(false)
      ->group(renaming);
  app.add_flag("-n,--dry-run,--preview", options->DryRun,
               _("show what would be renamed, and why a file would keep its name; rename nothing"))
      ->group(printing);
  auto* verbose = app.add_flag("-v,--verbose")
                      ->description(_("also list the files that keep their name"))
                      ->group(printing);
  auto* quiet =
      app.add_flag("-q,--quiet")->description(_("print nothing but errors"))->group(printing);
  app.add_flag("-0,--print0", options->Print0,
               _("print each renamed file as OLD, NUL, NEW, NUL, raw, for scripts"))
      ->group(printing);
  app.add_flag("--cross-file-systems", options->CrossFileSystems,
               _("let -r go on into folders of other file systems (it stays in one by default)"))
      ->group(renaming);
  app.add_flag("--undo", options->Undo,
               _("put back the newest batch of renames made in the current folder or the FOLDERs "
                 "given (or below them)"));
  app.add_option("--batch", options->Batch, _("with --undo: that batch (see --undo --list)"))
      ->option_text(_("ID"));
  app.add_option("--forget", options->Forget,
                 _("with --undo: drop what remains of a batch from its journal, saying what will "
                   "never come back"))
      ->option_text(_("ID"));
  app.add_flag("--list", options->List,
               _("the profiles with their information lines (with --undo: the batches)"));
  // A flag whose profile is the one argument, so that --check --reverse
  // FILE.pch reads as it is meant.
  bool check = false;
  app.add_flag("--check", check,
               _("FILE.pch: report the rules of a profile that cannot work as written (with "
                 "--reverse: also every two- and three-letter sequence that does not read back)"));
  app.add_flag("-t,--text", options->Text,
               _("transliterate TEXT, or standard input to standard output, instead of file names"))
      ->group(renaming);
  app.add_flag("--from-cp1251", options->From1251,
               _("read names (and text) that are not UTF-8 as Windows-1251, as convmv -f cp1251"))
      ->group(renaming);
  app.set_help_flag("-h,--help", _("this help"));
  app.set_version_flag("--version", program + " " + version, _("the version"));
  app.add_option("files", options->Files)->group("");

  std::vector<std::string> reversed(args.rbegin(), args.rend());  // CLI11 takes them from the back
  try {
    app.parse(reversed);
  } catch (const CLI::CallForHelp&) {
    TParseOutcome help = TParseOutcome::Answer(app.help());
    help.Help = true;
    return help;
  } catch (const CLI::CallForVersion&) {
    return TParseOutcome::Answer(program + " " + version + "\n");
  } catch (const CLI::ExtrasError&) {
    return Usage(program,
                 Format(_("unknown option %s"), FirstUnknownOption(args, app.remaining())));
  } catch (const CLI::ArgumentMismatch& error) {
    // "--profile: 1 required TEXT missing": the option is named first.
    const std::string what = error.what();
    const std::string name = what.substr(0, what.find(':'));
    const CLI::Option* option = app.get_option_no_throw(name);
    if (option) {
      return Usage(program, Format(_("%s needs a value: %s"), name, option->get_option_text()));
    }
    return Usage(program, what);
  } catch (const CLI::ParseError& error) {
    return Usage(program, error.what());
  }
  if (check) {
    if (options->Files.size() != 1 || !options->From0.empty()) {
      return Usage(program, _("--check takes one profile"));
    }
    options->Check = options->Files.front();
    options->Files.clear();
  }
  if (verbose->count() > 0 && quiet->count() > 0) {
    return Usage(program, _("--verbose and --quiet exclude each other"));
  }
  if (!options->Undo && (!options->Batch.empty() || !options->Forget.empty())) {
    return Usage(program, _("--batch and --forget go with --undo"));
  }
  const bool undo_list = options->Undo && options->List;
  if (int(options->Undo) + int(options->List && !undo_list) + int(!options->Check.empty()) > 1) {
    return Usage(program, _("--undo, --list and --check exclude each other"));
  }
  if (verbose->count() > 0) options->Verbosity = TVerbosity::kVerbose;
  if (quiet->count() > 0) options->Verbosity = TVerbosity::kQuiet;
  if (options->Text && (options->Undo || options->List || !options->Check.empty() ||
                        options->DryRun || options->Recursive || options->Extension ||
                        !options->From0.empty() || options->Print0 || options->CrossFileSystems)) {
    return Usage(program,
                 _("-t takes no --undo, --list, --check, -n, -r, --ext, --from0 or --print0"));
  }
  if (options->Text) return TParseOutcome::RunWithOptions();
  const bool has_files = !options->Files.empty() || !options->From0.empty();
  if ((options->List || !options->Check.empty()) && has_files) {
    return Usage(program, _("--list and --check take no files"));
  }
  if (options->Undo && !options->From0.empty()) return Usage(program, _("--undo takes no --from0"));
  if (!has_files && !options->Undo && !options->List && options->Check.empty()) {
    return Usage(program, _("no files given"));
  }
  return TParseOutcome::RunWithOptions();
}
