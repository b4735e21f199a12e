// The nine entry points the host calls. Each one is a thin guarded shell
// around the code that does its work.
#include <windows.h>

#include <cstring>

#include "plugin/entry_guard.h"
#include "plugin/library_state.h"
#include "plugin/process_file.h"
#include "plugin/show_options.h"
#include "translit/plugin_api.h"
#include "translit_version.h"
#include "ui/text_window.h"
#include "ui/window_classes.h"

namespace {

// Copies a text into a fixed field and pads the rest of it with NUL bytes.
template <std::size_t N>
void FillField(char (&field)[N], const char* text) {
  const std::size_t length = std::strlen(text);
  static_assert(N > 0);
  std::memset(field, 0, N);
  std::memcpy(field, text, length < N ? length : N - 1);
}

constexpr char kPluginName[] = "Транслит";
constexpr char kButton0Caption[] = "Транслит текста";
#if !defined(__clang__)  // clang (the static checks) stores literals as UTF-8
static_assert(sizeof(kButton0Caption) - 1 == 15, "one length byte and 15 Windows-1251 bytes");
#endif

}  // namespace

extern "C" {

void __stdcall setDir(const char* Dir) {
  GuardedCall([&] { PluginDir = Dir ? Dir : ""; });
}

void __stdcall freeOpt(TReplOptions* Options) {
  GuardedCall([&] { delete Options; });
}

void __stdcall newOpt(TReplOptions** Options) {
  GuardedCall([&] {
    if (!Options) return;
    // Filled with the defaults, so that a block the host never edits still
    // names the default profile and the forward direction.
    auto* block = new TReplOptions{};
    FillField(block->ProfileName, "standart.pch");
    *Options = block;
  });
}

void __stdcall clickBtn(std::int32_t Index) {
  // Button 0 is the only button: it opens the text window. Any other index
  // does nothing.
  GuardedCall([&] {
    if (Index == 0) RunTextWindow(UiHost());
  });
}

void __stdcall exportBtns(TPluginButtons* Captions, std::int32_t* ButtonCount) {
  GuardedCall([&] {
    if (ButtonCount) *ButtonCount = 1;
    if (Captions) {
      Captions->Button0[0] = sizeof(kButton0Caption) - 1;
      std::memcpy(&Captions->Button0[1], kButton0Caption, sizeof(kButton0Caption) - 1);
    }
  });
}

std::int32_t __stdcall showOptions(std::uint8_t CreateNew, TReplOptions** Options,
                                   char** OptionsCaption) {
  return GuardedCall([&] { return ShowOptions(CreateNew, Options, OptionsCaption); });
}

void __stdcall initialize(HWND Window) {
  GuardedCall([&] {
    HostWindow = Window;
    ScanProfileCatalogue();
    RegisterWindowClasses();
  });
}

void __stdcall process(char** FileName, std::int32_t, std::int32_t, std::int32_t,
                       TReplOptions** Options, std::uint8_t PreviewOnly) {
  GuardedCall([&] { ProcessFile(FileName, Options ? *Options : nullptr, PreviewOnly != 0); });
}

void __stdcall getInfo(TPluginInfo* Info) {
  GuardedCall([&] {
    if (!Info) return;
    FillField(Info->Version, TRANSLIT_VERSION_TEXT);
    FillField(Info->Name, kPluginName);
    FillField(Info->PluginType, "Tolvrang");
    FillField(Info->DisplayName, kPluginName);
    FillField(Info->FileMask, "*.*");
    Info->Flag = 0;
    Info->OptionsSize = sizeof(TReplOptions);
  });
}

}  // extern "C"
