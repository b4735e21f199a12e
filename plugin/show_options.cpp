#include "plugin/show_options.h"

#include <cstring>
#include <string>

#include "plugin/library_state.h"
#include "ui/options_dialog.h"

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

// The record as the dialog shows it: the name up to its first NUL (all 50
// bytes without one); any non-zero switch byte set; any non-zero direction
// reverse, as the file-name operation reads it.
TDialogOptions DialogOptionsOf(const TReplOptions& block) {
  TDialogOptions options;
  options.ProfileName = ProfileNameOf(block);
  options.CaseSensitive = block.CaseSensitive != 0;
  options.ReplaceInExtension = block.ReplaceInExtension != 0;
  options.Reverse = block.Direction != 0;
  return options;
}

// The dialog's choice back into the record: exactly 0 or 1 in the switches
// and the direction; the name with its NUL, the bytes after it as they were.
void StoreDialogOptions(const TDialogOptions& options, TReplOptions* block) {
  block->CaseSensitive = options.CaseSensitive ? 1 : 0;
  block->ReplaceInExtension = options.ReplaceInExtension ? 1 : 0;
  block->Direction = options.Reverse ? 1 : 0;
  const std::size_t length = options.ProfileName.size() < sizeof(block->ProfileName)
                                 ? options.ProfileName.size()
                                 : sizeof(block->ProfileName) - 1;
  std::memcpy(block->ProfileName, options.ProfileName.data(), length);
  block->ProfileName[length] = '\0';
}

}  // namespace

std::int32_t ShowOptions(std::uint8_t create_new, TReplOptions** options, char** caption) {
  if (!options || (!create_new && !*options)) return 0;
  TReplOptions* block = create_new ? NewDefaultBlock() : *options;
  // The fresh block is the host's from here on, whatever happens below.
  *options = block;

  TDialogOptions edited = DialogOptionsOf(*block);
  if (!RunOptionsDialog(UiHost(), edited)) return 0;

  OptionsCaptionText = kCaptionPrefix + edited.ProfileName;
  if (caption) *caption = OptionsCaptionText.data();
  StoreDialogOptions(edited, block);
  return 1;
}
