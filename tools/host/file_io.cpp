#include "tools/host/file_io.h"

#include "ui/handles.h"

bool ReadWholeFile(const std::wstring& path, std::string* bytes, DWORD* error) {
  TUniqueFile owned;
  HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
  if (path != L"-") {
    owned = TUniqueFile(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!owned) {
      *error = GetLastError();
      return false;
    }
    input = owned.get();
  }
  char buffer[1 << 16];
  DWORD read = 0;
  for (;;) {
    if (!ReadFile(input, buffer, sizeof buffer, &read, nullptr)) {
      *error = GetLastError();
      return *error == ERROR_BROKEN_PIPE;  // the writer has finished
    }
    if (read == 0) return true;
    bytes->append(buffer, read);
  }
}
