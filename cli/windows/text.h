// Conversions between the encodings translit-host meets: UTF-16 (Windows'
// own file names and arguments), UTF-8 (the shared option parser, the
// printed lines, the journal) and Windows-1251 (the plug-in's paths), the
// last two through the core's cli/core/code_page.h.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

// Text in a code page (CP_UTF8 included) to UTF-16 and back; a character the
// code page lacks becomes its default character.
std::wstring WideFromCodePage(UINT codePage, std::string_view bytes);
std::string CodePageFromWide(UINT codePage, std::wstring_view wide);
std::wstring WideFromUtf8(std::string_view utf8);
std::string Utf8FromWide(std::wstring_view wide);
std::wstring WideFrom1251(std::string_view text1251);

// Windows-1251 from UTF-16. False, and *text1251 empty, when a character has
// no Windows-1251 form (it would come back as a look-alike or '?').
bool To1251(std::wstring_view wide, std::string* text1251);

// Upper case as the file system compares names (case is ignored there).
std::wstring UpperCase(std::wstring text);

// The full path of a path, as GetFullPathNameW makes it; empty when it
// cannot.
std::wstring FullPath(const std::wstring& path);

// The last component of a path: after its last '\', '/' or ':'.
std::wstring_view LastComponent(std::wstring_view path);
// The path up to and including its last '\', '/' or ':' (empty without).
std::string FolderPart(std::string_view path);
