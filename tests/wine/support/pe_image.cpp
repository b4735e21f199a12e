#include "tests/wine/support/pe_image.h"

#include <cstring>

namespace {

const IMAGE_NT_HEADERS* NtHeaders(HMODULE module) {
  auto* base = reinterpret_cast<const BYTE*>(module);
  auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
  return reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
}

template <typename T>
const T* At(HMODULE module, DWORD rva) {
  return reinterpret_cast<const T*>(reinterpret_cast<const BYTE*>(module) + rva);
}

const IMAGE_IMPORT_DESCRIPTOR* FirstImport(HMODULE module) {
  const auto& dir = NtHeaders(module)->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  return dir.VirtualAddress ? At<IMAGE_IMPORT_DESCRIPTOR>(module, dir.VirtualAddress) : nullptr;
}

}  // namespace

std::vector<ExportEntry> ListExports(HMODULE module) {
  std::vector<ExportEntry> entries;
  const auto& dir = NtHeaders(module)->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
  if (!dir.VirtualAddress) return entries;
  auto* exports = At<IMAGE_EXPORT_DIRECTORY>(module, dir.VirtualAddress);
  auto* functions = At<DWORD>(module, exports->AddressOfFunctions);
  auto* names = At<DWORD>(module, exports->AddressOfNames);
  auto* name_ordinals = At<WORD>(module, exports->AddressOfNameOrdinals);
  for (DWORD i = 0; i < exports->NumberOfFunctions; ++i) {
    if (!functions[i]) continue;
    ExportEntry entry{"", static_cast<WORD>(exports->Base + i), functions[i]};
    for (DWORD n = 0; n < exports->NumberOfNames; ++n) {
      if (name_ordinals[n] == i) entry.name = At<char>(module, names[n]);
    }
    entries.push_back(entry);
  }
  return entries;
}

std::vector<std::string> ListImportedDlls(HMODULE module) {
  std::vector<std::string> dlls;
  for (auto* d = FirstImport(module); d && d->Name; ++d) dlls.emplace_back(At<char>(module, d->Name));
  return dlls;
}

void* PatchImport(HMODULE module, const char* dll, const char* function, void* replacement) {
  for (auto* d = FirstImport(module); d && d->Name; ++d) {
    if (lstrcmpiA(At<char>(module, d->Name), dll) != 0) continue;
    auto* lookup = At<IMAGE_THUNK_DATA>(module, d->OriginalFirstThunk ? d->OriginalFirstThunk
                                                                       : d->FirstThunk);
    auto* slots = const_cast<IMAGE_THUNK_DATA*>(At<IMAGE_THUNK_DATA>(module, d->FirstThunk));
    for (; lookup->u1.AddressOfData; ++lookup, ++slots) {
      if (IMAGE_SNAP_BY_ORDINAL(lookup->u1.Ordinal)) continue;
      auto* by_name = At<IMAGE_IMPORT_BY_NAME>(module, static_cast<DWORD>(lookup->u1.AddressOfData));
      if (std::strcmp(reinterpret_cast<const char*>(by_name->Name), function) != 0) continue;
      DWORD old_protect;
      VirtualProtect(&slots->u1.Function, sizeof(void*), PAGE_READWRITE, &old_protect);
      void* previous = reinterpret_cast<void*>(slots->u1.Function);
      slots->u1.Function = reinterpret_cast<DWORD_PTR>(replacement);
      VirtualProtect(&slots->u1.Function, sizeof(void*), old_protect, &old_protect);
      return previous;
    }
  }
  return nullptr;
}
