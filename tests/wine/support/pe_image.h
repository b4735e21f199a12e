// Reads the export and import tables of a module loaded in this process, and
// patches its import address table: the tests use it to list what the DLL
// exports and imports, and to count or fail the system calls it makes.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

struct ExportEntry {
  std::string name;
  WORD ordinal;
  DWORD rva;
};

std::vector<ExportEntry> ListExports(HMODULE module);

// Names of the DLLs the module imports from, as written in its import table.
std::vector<std::string> ListImportedDlls(HMODULE module);

// Points the module's import of dll!function at replacement; returns the
// previous address, or nullptr when the module does not import it.
void* PatchImport(HMODULE module, const char* dll, const char* function, void* replacement);

// Restores a patched import when it goes out of scope.
class ImportPatch {
 public:
  ImportPatch(HMODULE module, const char* dll, const char* function, void* replacement)
      : module_(module), dll_(dll), function_(function),
        original_(PatchImport(module, dll, function, replacement)) {}
  ~ImportPatch() {
    if (original_) PatchImport(module_, dll_.c_str(), function_.c_str(), original_);
  }
  ImportPatch(const ImportPatch&) = delete;
  ImportPatch& operator=(const ImportPatch&) = delete;
  void* original() const { return original_; }

 private:
  HMODULE module_;
  std::string dll_, function_;
  void* original_;
};
