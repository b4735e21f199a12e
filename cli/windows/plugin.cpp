#include "cli/windows/plugin.h"

#include <algorithm>
#include <cstring>

template <typename Fn>
Fn TPlugin::Entry(const char* name) const {
  if (!module_) return nullptr;
  return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module_.get(), name)));
}

TPlugin::TPlugin(const std::wstring& dll)
    : module_(LoadLibraryW(dll.c_str())),
      getInfo_(Entry<GetInfoFn>("getInfo")),
      setDir_(Entry<SetDirFn>("setDir")),
      initialize_(Entry<InitializeFn>("initialize")),
      newOpt_(Entry<NewOptFn>("newOpt")),
      freeOpt_(Entry<FreeOptFn>("freeOpt")),
      process_(Entry<ProcessFn>("process")) {}

TPlugin::~TPlugin() {
  if (options_) freeOpt_(options_);
  window_.reset();  // before the library goes
}

bool TPlugin::Loaded() const {
  return module_ && getInfo_ && setDir_ && initialize_ && newOpt_ && freeOpt_ && process_;
}

void TPlugin::Start(const std::string& hostDir, const TProcessOptions& options) {
  TPluginInfo info{};
  getInfo_(&info);
  setDir_(hostDir.c_str());
  // The host hands over its main window; none is needed on screen, so this
  // one is message-only (no display required).
  window_ = TUniqueWindow(CreateWindowExW(0, L"STATIC", L"translit-host", 0, 0, 0, 0, 0,
                                          HWND_MESSAGE, nullptr, nullptr, nullptr));
  initialize_(window_.get());
  newOpt_(&options_);
  std::memset(options_->ProfileName, 0, sizeof options_->ProfileName);
  std::memcpy(options_->ProfileName, options.ProfileName.data(),
              std::min(options.ProfileName.size(), sizeof options_->ProfileName - 1));
  options_->CaseSensitive = options.CaseSensitive ? 1 : 0;
  options_->ReplaceInExtension = options.Extension ? 1 : 0;
  options_->Direction = options.Reverse ? 1 : 0;
}

TPluginInfo TPlugin::Identity() const {
  TPluginInfo info{};
  getInfo_(&info);
  return info;
}

std::optional<std::string> TPlugin::Process(const std::string& path1251, bool previewOnly) {
  std::string host_copy = path1251;
  char* pointer = host_copy.data();
  process_(&pointer, 0, 0, 0, &options_, previewOnly ? 1 : 0);
  if (pointer == host_copy.data()) return std::nullopt;
  return std::string(pointer);
}
