// The binary boundary between the host application and translit.dll: the
// records that cross it and the nine exported entry points.
//
// The host is not C++: every record has a fixed byte layout (packed,
// little-endian integers, NUL-padded Windows-1251 text fields), and every entry
// point is __stdcall, exported under its plain name with a fixed ordinal.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

#ifdef _WIN32
#define TRANSLIT_STDCALL __stdcall
#else
#define TRANSLIT_STDCALL
#endif

#pragma pack(push, 1)

// The plug-in's identity, filled by getInfo into storage of the host's.
struct TPluginInfo {
  char Version[10];
  char Name[50];
  char PluginType[50];
  char DisplayName[50];
  char FileMask[50];
  std::uint8_t Flag;
  std::uint8_t Gap;  // never written: the host's byte stays as it was
  std::int32_t OptionsSize;
};
static_assert(sizeof(TPluginInfo) == 216);
static_assert(offsetof(TPluginInfo, Version) == 0);
static_assert(offsetof(TPluginInfo, Name) == 10);
static_assert(offsetof(TPluginInfo, PluginType) == 60);
static_assert(offsetof(TPluginInfo, DisplayName) == 110);
static_assert(offsetof(TPluginInfo, FileMask) == 160);
static_assert(offsetof(TPluginInfo, Flag) == 210);
static_assert(offsetof(TPluginInfo, Gap) == 211);
static_assert(offsetof(TPluginInfo, OptionsSize) == 212);

// One set of options: which profile, which direction, two switches. The host
// keeps these 56 bytes opaque, possibly between its own runs.
struct TReplOptions {
  char ProfileName[50];  // NUL-terminated when shorter than the field
  std::uint8_t CaseSensitive;
  std::uint8_t ReplaceInExtension;
  std::int32_t Direction;  // 0 forward (left terms to right terms), else reverse
};
static_assert(sizeof(TReplOptions) == 56);
static_assert(offsetof(TReplOptions, ProfileName) == 0);
static_assert(offsetof(TReplOptions, CaseSensitive) == 50);
static_assert(offsetof(TReplOptions, ReplaceInExtension) == 51);
static_assert(offsetof(TReplOptions, Direction) == 52);

// The profile file name of a block: up to its first NUL, all 50 bytes
// without one.
inline std::string_view ProfileNameOf(const TReplOptions& options) {
  const char* name = options.ProfileName;
  const void* nul = std::memchr(name, '\0', sizeof options.ProfileName);
  return std::string_view(name, nul ? static_cast<std::size_t>(static_cast<const char*>(nul) - name)
                                    : sizeof options.ProfileName);
}

// The host's storage for button captions. The plug-in has one button and
// writes only its caption: a length byte, then the characters, no NUL.
struct TPluginButtons {
  std::uint8_t Button0[16];
};
static_assert(sizeof(TPluginButtons) == 16);
static_assert(offsetof(TPluginButtons, Button0) == 0);

#pragma pack(pop)

// The entry points as the host sees them, in ordinal order. A "reference"
// parameter is the address of a variable of the host's.
// clang-format off
using SetDirFn = void(TRANSLIT_STDCALL*)(const char* Dir);                           // 1
using FreeOptFn = void(TRANSLIT_STDCALL*)(TReplOptions* Options);                    // 2
using NewOptFn = void(TRANSLIT_STDCALL*)(TReplOptions** Options);                    // 3
using ClickBtnFn = void(TRANSLIT_STDCALL*)(std::int32_t Index);                      // 4
using ExportBtnsFn = void(TRANSLIT_STDCALL*)(TPluginButtons* Captions,               // 5
                                             std::int32_t* ButtonCount);
using ShowOptionsFn = std::int32_t(TRANSLIT_STDCALL*)(std::uint8_t CreateNew,        // 6
                                                      TReplOptions** Options,
                                                      char** OptionsCaption);
using InitializeFn = void(TRANSLIT_STDCALL*)(void* HostWindow);                      // 7
using ProcessFn = void(TRANSLIT_STDCALL*)(char** FileName, std::int32_t, std::int32_t,  // 8
                                          std::int32_t, TReplOptions** Options,
                                          std::uint8_t PreviewOnly);
using GetInfoFn = void(TRANSLIT_STDCALL*)(TPluginInfo* Info);                        // 9
// clang-format on
