#include "cli/core/run_report.h"

#include "cli/core/code_page.h"
#include "cli/core/messages.h"
#include "cli/core/shown_name.h"

namespace {

// 12345 -> "12,345": figures people read at a glance.
std::string Grouped(std::size_t number) {
  std::string digits = std::to_string(number);
  const std::string separator = P_("thousands separator", ",");
  for (std::size_t at = digits.size(); at > 3; at -= 3) digits.insert(at - 3, separator);
  return digits;
}

}  // namespace

TSkip SkipForNewName(TSkipReason reason, const std::string& newName) {
  if (reason == TSkipReason::kTaken) return {reason, newName};
  if (reason == TSkipReason::kTooLong) return {reason, std::to_string(newName.size())};
  return {reason, {}};
}

TSkip SkipOfFileNameCheck(const TFileNameCheck& check, std::string_view name1251) {
  switch (check.Problem) {
    case TFileNameProblem::kEmpty:
      return {TSkipReason::kEmpty, {}};
    case TFileNameProblem::kNulByte:
      return {TSkipReason::kNulByte, {}};
    case TFileNameProblem::kSlash:
      return {TSkipReason::kSeparator, {}};
    case TFileNameProblem::kControlCharacter:
      return {TSkipReason::kReservedCharacter, {}};
    case TFileNameProblem::kReservedCharacter:
      return {TSkipReason::kReservedCharacter, std::string(1, check.Character)};
    case TFileNameProblem::kDeviceName:
      return {TSkipReason::kDeviceName, Utf8From1251(name1251)};
    case TFileNameProblem::kTrailingDotOrSpace:
      return {TSkipReason::kTrailingDotOrSpace, {}};
    case TFileNameProblem::kNone:
      break;
  }
  return {TSkipReason::kDeclined, {}};
}

std::string ReasonText(const TSkip& skip) {
  switch (skip.Reason) {
    case TSkipReason::kTaken:
      return Format(_("%s is taken"), skip.Detail);
    case TSkipReason::kClaimed:
      return Format(_("its new name is also the new name of %s"), skip.Detail);
    case TSkipReason::kTooLong:
      return Format(_("the new name is too long for the file system (%s bytes, at most 255)"),
                    skip.Detail);
    case TSkipReason::kEmpty:
      return _("the new name would be empty");
    case TSkipReason::kDotName:
      return Format(_("the new name would be \"%s\""), skip.Detail);
    case TSkipReason::kSeparator:
      return skip.Detail.empty() ? std::string(_("the new name would hold a \"/\""))
                                 : Format(_("the new name would hold a \"/\" (%s)"), skip.Detail);
    case TSkipReason::kNulByte:
      return _("the new name would hold a NUL byte");
    case TSkipReason::kReservedCharacter:
      return skip.Detail.empty() ? std::string(_("the new name would hold a control character"))
                                 : Format(_("the new name would hold a \"%s\""), skip.Detail);
    case TSkipReason::kDeviceName:
      return Format(_("%s is a device name"), skip.Detail);
    case TSkipReason::kTrailingDotOrSpace:
      return _("the new name would end in a dot or a space, which Windows drops");
    case TSkipReason::kOldNameEndsInDotOrSpace:
      return _("Windows cannot open a name ending in a dot or a space");
    case TSkipReason::kPathTooLong:
      return _("the new path would be longer than 259 characters");
    case TSkipReason::kOutside1251:
      return _("the name holds characters outside Windows-1251");
    case TSkipReason::kNotUtf8:
      return _("the name is not UTF-8; try --from-cp1251");
    case TSkipReason::kFolderNeedsNoReplace:
      return _("this file system cannot rename a folder without the risk of replacing");
    case TSkipReason::kProfileUnreadable:
      return _("the profile cannot be read");
    case TSkipReason::kDeclined:
      return _("the plug-in left the name as it was");
    case TSkipReason::kNotRenamed:
      return _("the plug-in did not rename it");
    case TSkipReason::kCaseKept:
      return _("the file system kept the old letter case");
    case TSkipReason::kMissing:
      return _("no such file");
    case TSkipReason::kPermission:
      return _("permission denied");
    case TSkipReason::kDamagedRecord:
      return Format(_("the journal's record is damaged (%s)"), skip.Detail);
    case TSkipReason::kReadOnlyFileSystem:
      return _("the file system is read-only");
    case TSkipReason::kImmutable:
      return _("the file or its folder may not be changed (immutable or append-only)");
    case TSkipReason::kMountPoint:
      return _("another file system is mounted there");
    case TSkipReason::kStickyFolder:
      return _("only its owner may rename it in this folder (sticky)");
    case TSkipReason::kNoJournal:
      return Format(_("the undo journal cannot hold it: %s"), skip.Detail);
    case TSkipReason::kChanged:
      return skip.Detail.empty() ? std::string(_("it has changed since"))
                                 : Format(_("it has changed since (%s)"), skip.Detail);
    case TSkipReason::kSystemError:
      break;
  }
  return skip.Detail;
}

std::string SkipLine(const std::string& program, const std::string& path, const TSkip& skip,
                     bool undo) {
  return program + ": " + ShownName(path) + ": " +
         Format(undo ? _("not put back: %s") : _("not renamed: %s"), ReasonText(skip)) + "\n";
}

std::string MoveLine(const std::string& from, const std::string& to, bool print0) {
  if (print0) return from + '\0' + to + '\0';
  return ShownName(from) + " -> " + ShownName(to) + "\n";
}

TOutcomeLines TallyOutcome(const std::string& program, const std::string& shownPath,
                           const TFileOutcome& outcome, TVerbosity verbosity, bool print0,
                           TRunCounts* counts) {
  TOutcomeLines lines;
  switch (outcome.Kind) {
    case TFileOutcome::TKind::kRenamed:
      ++counts->Renamed;
      if (verbosity != TVerbosity::kQuiet) lines.Out = MoveLine(shownPath, outcome.NewPath, print0);
      break;
    case TFileOutcome::TKind::kUnchanged:
      ++counts->Unchanged;
      if (verbosity == TVerbosity::kVerbose && !print0) {
        lines.Out = Format(_("%s (unchanged)"), ShownName(shownPath)) + "\n";
      }
      break;
    case TFileOutcome::TKind::kSkipped:
      ++counts->Skipped;
      lines.Err = SkipLine(program, shownPath, outcome.Skip);
      break;
  }
  return lines;
}

std::string SummaryLine(const TRunCounts& counts, bool dryRun) {
  if (dryRun) {
    return Format(_("dry run, nothing renamed: %s would be renamed, %s unchanged, %s would be "
                    "skipped"),
                  Grouped(counts.Renamed), Grouped(counts.Unchanged), Grouped(counts.Skipped)) +
           "\n";
  }
  return Format(_("%s renamed, %s unchanged, %s skipped"), Grouped(counts.Renamed),
                Grouped(counts.Unchanged), Grouped(counts.Skipped)) +
         "\n";
}

std::string ProgressLine(std::size_t done, std::size_t total) {
  return "\r" + Format(_("%s of %s files"), Grouped(done), Grouped(total));
}

std::string ProgressEnd() { return "\r\x1b[K"; }

bool TProgressPacer::Due(std::size_t done) {
  if ((done & 31) != 0) return false;
  const auto now = std::chrono::steady_clock::now();
  if (now - start_ < std::chrono::seconds(1) || now - last_ < std::chrono::milliseconds(100)) {
    return false;
  }
  last_ = now;
  return true;
}

std::string CaretControlBytes(std::string_view text) {
  std::string shown;
  shown.reserve(text.size());
  for (char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 32 || byte == 127) {
      shown += '^';
      shown += static_cast<char>(byte ^ 0x40);
    } else {
      shown += c;
    }
  }
  return shown;
}
