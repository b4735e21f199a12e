// An option block handed out by the DLL (newOpt) and given back (freeOpt),
// with its fields set the way a test needs them.
#pragma once

#include <cstring>
#include <string>

#include "tests/wine/support/plugin_library.h"

class OptionsBlock {
 public:
  explicit OptionsBlock(PluginLibrary& plugin) : plugin_(plugin) { plugin_.newOpt(&block_); }
  ~OptionsBlock() { plugin_.freeOpt(block_); }
  OptionsBlock(const OptionsBlock&) = delete;
  OptionsBlock& operator=(const OptionsBlock&) = delete;

  OptionsBlock& Profile(const std::string& name) {
    std::memset(block_->ProfileName, 0, sizeof block_->ProfileName);
    std::memcpy(block_->ProfileName, name.data(),
                name.size() < sizeof block_->ProfileName ? name.size()
                                                         : sizeof block_->ProfileName);
    return *this;
  }
  OptionsBlock& CaseSensitive(std::uint8_t value) {
    block_->CaseSensitive = value;
    return *this;
  }
  OptionsBlock& InExtension(std::uint8_t value) {
    block_->ReplaceInExtension = value;
    return *this;
  }
  OptionsBlock& Direction(std::int32_t value) {
    block_->Direction = value;
    return *this;
  }

  TReplOptions* get() { return block_; }
  TReplOptions** address() { return &block_; }

 private:
  PluginLibrary& plugin_;
  TReplOptions* block_ = nullptr;
};

// Calls process on path and returns the text the host's pointer then points
// to. unchanged tells whether the pointer was left alone.
struct ProcessResult {
  std::string path;
  bool unchanged;
};

inline ProcessResult CallProcess(PluginLibrary& plugin, OptionsBlock& options,
                                 const std::string& path, bool preview) {
  std::string host_copy = path;
  char* pointer = host_copy.data();
  plugin.process(&pointer, 11, 22, 33, options.address(), preview ? 1 : 0);
  return {pointer, pointer == host_copy.data()};
}
