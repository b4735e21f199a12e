#include "ui/options_run.h"

#include <cstring>
#include <string>

#include "engine/profile.h"
#include "plugin/library_state.h"
#include "ui/control_table.h"
#include "ui/modal_run.h"
#include "ui/options_keys.h"
#include "ui/options_layout.h"
#include "ui/options_window.h"
#include "ui/profile_loading.h"

namespace {

// The caption handed to the host after OK.
std::string OptionsCaptionText;

constexpr char kDefaultProfile[] = "standart.pch";
constexpr char kCaptionPrefix[] = "Транслит ";

// The defaults: "standart.pch" padded with NUL bytes, both switches off,
// forward.
TReplOptions* NewDefaultBlock() {
  auto* block = new TReplOptions{};
  std::memcpy(block->ProfileName, kDefaultProfile, sizeof(kDefaultProfile));
  return block;
}

// A ProfileName up to its first NUL, never beyond its 50 bytes.
std::string NameOf(const TReplOptions& options) {
  const char* name = options.ProfileName;
  const void* end = std::memchr(name, '\0', sizeof(options.ProfileName));
  return std::string(name, end ? static_cast<const char*>(end) : name + sizeof(options.ProfileName));
}

BOOL CheckState(std::uint8_t value) { return value ? BST_CHECKED : BST_UNCHECKED; }

// The controls show DialogBuffer: the two switches (any non-zero byte shows
// as checked), the direction (any non-zero value is reverse, as the file-name
// operation reads it), the first catalogue entry that begins with the name,
// regardless of case; then the profile of exactly that name labels the radio
// buttons, whatever was selected.
void ShowDialogBuffer() {
  SendMessageA(ControlTable.ExtensionBox, BM_SETCHECK,
               static_cast<WPARAM>(CheckState(DialogBuffer.ReplaceInExtension)), 0);
  SendMessageA(ControlTable.CaseBox, BM_SETCHECK,
               static_cast<WPARAM>(CheckState(DialogBuffer.CaseSensitive)), 0);
  SendMessageA(ControlTable.DirectionButton[DialogBuffer.Direction == 0 ? 0 : 1], BM_CLICK, 0, 0);
  const std::string name = NameOf(DialogBuffer);
  SendMessageA(ControlTable.ProfileBox, CB_SELECTSTRING, static_cast<WPARAM>(-1),
               reinterpret_cast<LPARAM>(name.c_str()));
  LoadProfile(ProfilePath(PluginDir, name));
}

}  // namespace

std::int32_t ShowOptions(std::uint8_t create_new, TReplOptions** options, char** caption) {
  if (!options || (!create_new && !*options)) return 0;
  TReplOptions* block = create_new ? NewDefaultBlock() : *options;
  // The fresh block is the host's from here on, whatever happens below.
  *options = block;

  DialogBuffer = *block;
  DialogAccepted = 0;
  RunModalWindow({BuildOptionsWindow, ShowDialogBuffer, &OptionsWindow, TranslateOptionsKey});

  if (DialogAccepted == 1) {
    OptionsCaptionText = kCaptionPrefix + NameOf(DialogBuffer);
    if (caption) *caption = OptionsCaptionText.data();
    *block = DialogBuffer;
  }
  return DialogAccepted;
}
