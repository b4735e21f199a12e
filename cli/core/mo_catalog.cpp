#include "cli/core/mo_catalog.h"

#include <cstdint>

namespace {

constexpr std::uint32_t kMagic = 0x950412de;

// The 32-bit word at offset in the file's byte order; false when outside.
bool Word(std::string_view bytes, std::size_t offset, bool swapped, std::uint32_t* word) {
  if (bytes.size() < 4 || offset > bytes.size() - 4) return false;
  std::uint32_t value = 0;
  for (int i = 0; i < 4; ++i) {
    const auto byte = static_cast<unsigned char>(bytes[offset + static_cast<std::size_t>(i)]);
    value |= std::uint32_t{byte} << (swapped ? 8 * (3 - i) : 8 * i);
  }
  *word = value;
  return true;
}

// The string the table entry at offset describes (length, then offset).
bool Entry(std::string_view bytes, std::size_t offset, bool swapped, std::string_view* text) {
  std::uint32_t length = 0;
  std::uint32_t start = 0;
  if (!Word(bytes, offset, swapped, &length) || !Word(bytes, offset + 4, swapped, &start) ||
      start > bytes.size() || bytes.size() - start < length) {
    return false;
  }
  *text = bytes.substr(start, length);
  return true;
}

}  // namespace

bool TMoCatalog::Read(std::string_view bytes) {
  translations_.clear();
  std::uint32_t magic = 0;
  if (!Word(bytes, 0, false, &magic)) return false;
  const bool swapped = magic != kMagic;
  std::uint32_t count = 0;
  std::uint32_t originals = 0;
  std::uint32_t translations = 0;
  if ((swapped && !Word(bytes, 0, true, &magic)) || magic != kMagic ||
      !Word(bytes, 8, swapped, &count) || !Word(bytes, 12, swapped, &originals) ||
      !Word(bytes, 16, swapped, &translations)) {
    return false;
  }
  for (std::uint32_t i = 0; i < count; ++i) {
    std::string_view key;
    std::string_view translation;
    if (!Entry(bytes, originals + std::size_t{i} * 8, swapped, &key) ||
        !Entry(bytes, translations + std::size_t{i} * 8, swapped, &translation)) {
      translations_.clear();
      return false;
    }
    if (!key.empty()) translations_.emplace(key, translation);  // "" is the header
  }
  return true;
}

const char* TMoCatalog::Find(const char* key) const {
  const auto found = translations_.find(key);
  return found == translations_.end() ? nullptr : found->second.c_str();
}
