#include "plugin/process_file.h"

#include <windows.h>

#include <cstring>
#include <string>

#include "engine/file_name.h"
#include "engine/profile.h"
#include "plugin/library_state.h"

namespace {

// The path handed back to the host; valid until the next call, freed with
// the library.
std::string ReturnedPath;

// The longest path the platform's ANSI file calls accept (MAX_PATH less the
// NUL). wine accepts longer ones, so the limit is checked here.
constexpr std::size_t kMaxPathLength = MAX_PATH - 1;

}  // namespace

void ProcessFile(char** fileName, const TReplOptions* options, bool previewOnly) {
  if (!fileName || !*fileName || !options) return;
  const std::string old_path = *fileName;

  TFileNameOptions run;
  // Any non-zero byte counts as set, as any non-zero Direction means reverse.
  run.CaseSensitive = options->CaseSensitive != 0;
  run.ReplaceInExtension = options->ReplaceInExtension != 0;
  run.Direction = options->Direction == 0 ? TDirection::kForward : TDirection::kReverse;

  std::optional<TTransliteratedPath> new_path =
      TransliteratePathChecked(old_path, ProfilePath(PluginDir, ProfileNameOf(*options)), run);
  if (!new_path) return;  // missing or unreadable profile: nothing changes

  // Only the last component may change, into a name Windows can hold: a
  // profile that writes a NUL, a separator, a reserved character, a trailing
  // dot or space or a device name gives a name the host could not show
  // truthfully, nor the file take. Such a file keeps its name, in a preview
  // too, so that a preview shows what a rename will do.
  if (new_path->NameCheck.Problem != TFileNameProblem::kNone) return;

  if (!previewOnly) {
    // MoveFileA never replaces an existing file. When the move fails the file
    // keeps its old name, and so does the host's pointer.
    if (new_path->Path.size() > kMaxPathLength) return;
    if (!MoveFileA(old_path.c_str(), new_path->Path.c_str())) return;
  }
  ReturnedPath = std::move(new_path->Path);
  *fileName = ReturnedPath.data();
}
