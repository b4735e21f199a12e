#include "tools/host/file_list.h"

#include <windows.h>

#include "tools/host/file_io.h"
#include "tools/host/handles.h"
#include "tools/host/text.h"

namespace {

bool IsDots(const wchar_t* name) {
  return name[0] == L'.' && (name[1] == L'\0' || (name[1] == L'.' && name[2] == L'\0'));
}

// The folder's argument with a separator at its end, in the user's style.
template <typename Text>
Text WithSeparator(const Text& path, typename Text::value_type slash) {
  if (!path.empty() && (path.back() == '\\' || path.back() == '/' || path.back() == ':')) {
    return path;
  }
  return path + slash;
}

void AddFolder(const TFileEntry& folder, bool recursive, TFileList* list) {
  // The user's own separator, where the folder's path shows one.
  const char slash =
      folder.Shown.find('/') != std::string::npos && folder.Shown.find('\\') == std::string::npos
          ? '/'
          : '\\';
  const std::wstring path = WithSeparator(folder.Path, static_cast<wchar_t>(slash));
  const std::string shown = WithSeparator(folder.Shown, slash);
  WIN32_FIND_DATAW entry;
  TUniqueFind search(FindFirst(path + L"*", &entry));
  if (!search) {
    const DWORD error = GetLastError();
    if (error != ERROR_FILE_NOT_FOUND && error != ERROR_NO_MORE_FILES) {
      list->Errors.emplace_back(folder.Shown, TSkip{TSkipReason::kSystem, SystemMessage(error)});
    }
    return;
  }
  std::vector<std::pair<TFileEntry, bool>> subfolders;  // with whether it is a link
  do {
    if (IsDots(entry.cFileName)) continue;
    TFileEntry child{path + entry.cFileName, shown + Utf8FromWide(entry.cFileName)};
    if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
      list->Files.push_back(std::move(child));
    } else if (recursive) {
      subfolders.emplace_back(std::move(child),
                              (entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0);
    }
  } while (FindNextFileW(search.get(), &entry));
  for (auto& [subfolder, link] : subfolders) {
    // A link to a folder is renamed as the link it is, never entered.
    if (!link) AddFolder(subfolder, recursive, list);
    list->Files.push_back(std::move(subfolder));
  }
}

}  // namespace

void AddArgument(const std::string& path, bool recursive, TFileList* list) {
  TFileEntry entry{WideFromUtf8(path), path};
  const DWORD attributes = GetFileAttributesW(entry.Path.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
    AddFolder(entry, recursive, list);
  } else {
    list->Files.push_back(std::move(entry));
  }
}

bool ReadFrom0(const std::string& path, std::string* bytes, std::string* error) {
  DWORD failure = ERROR_SUCCESS;
  if (ReadWholeFile(WideFromUtf8(path), bytes, &failure)) return true;
  *error = path + ": " + SystemMessage(failure);
  return false;
}
