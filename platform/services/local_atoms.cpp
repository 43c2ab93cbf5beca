#include "platform/services/local_atoms.h"

#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/services/shift_jis_text.h"
#include "platform/services/system_errors.h"

namespace lexiv::platform {
namespace {

constexpr ATOM kFirstStringAtom = 0xC000;
constexpr std::size_t kMaxNameBytes = 255;
constexpr std::size_t kStringAtoms = 0x10000 - kFirstStringAtom;

struct Entry {
  std::string name;
  unsigned references = 0;  // 0: a free slot
};

std::vector<Entry>& Table() {
  static std::vector<Entry> table;
  return table;
}

// What a name stands for: an integer atom, a string to look up, or nothing valid.
struct Parsed {
  bool valid = false;
  ATOM integer = 0;  // non-zero for an integer atom
  std::string_view name;
};

Parsed Parse(const char* name) {
  Parsed parsed;
  const auto pointer = reinterpret_cast<std::uintptr_t>(name);
  if (pointer < 0x10000) {
    parsed.valid = pointer >= 1 && pointer < kFirstStringAtom;
    parsed.integer = static_cast<ATOM>(pointer);
    return parsed;
  }
  parsed.name = std::string_view(name, strnlen(name, kMaxNameBytes + 1));
  if (parsed.name.empty() || parsed.name.size() > kMaxNameBytes) return parsed;
  if (parsed.name.size() >= 2 && parsed.name[0] == '#') {
    const std::string_view digits = parsed.name.substr(1);
    bool allDigits = true;
    unsigned long value = 0;
    for (char c : digits) {
      if (c < '0' || c > '9') {
        allDigits = false;
        break;
      }
      value = value * 10 + static_cast<unsigned long>(c - '0');
      if (value >= kFirstStringAtom) break;
    }
    if (allDigits) {
      parsed.valid = value >= 1 && value < kFirstStringAtom;
      parsed.integer = static_cast<ATOM>(value);
      return parsed;
    }
  }
  parsed.valid = true;
  return parsed;
}

std::optional<std::size_t> Find(std::string_view name) {
  const std::vector<Entry>& table = Table();
  for (std::size_t i = 0; i < table.size(); ++i)
    if (table[i].references > 0 && SjisEqualIgnoringCase(table[i].name, name)) return i;
  return std::nullopt;
}

Entry* EntryOf(ATOM atom) {
  if (atom < kFirstStringAtom) return nullptr;
  std::vector<Entry>& table = Table();
  const std::size_t index = atom - kFirstStringAtom;
  return index < table.size() && table[index].references > 0 ? &table[index] : nullptr;
}

}  // namespace

ATOM AddAtomA(const char* name) {
  if (name == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  const Parsed parsed = Parse(name);
  if (!parsed.valid) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  if (parsed.integer != 0) return parsed.integer;
  std::vector<Entry>& table = Table();
  if (auto found = Find(parsed.name)) {
    ++table[*found].references;
    return static_cast<ATOM>(kFirstStringAtom + *found);
  }
  std::size_t index = 0;
  while (index < table.size() && table[index].references > 0) ++index;
  if (index >= kStringAtoms) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return 0;
  }
  if (index == table.size()) table.emplace_back();
  table[index].name = std::string(parsed.name);
  table[index].references = 1;
  return static_cast<ATOM>(kFirstStringAtom + index);
}

ATOM FindAtomA(const char* name) {
  const Parsed parsed = name != nullptr ? Parse(name) : Parsed{};
  if (!parsed.valid) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  if (parsed.integer != 0) return parsed.integer;
  if (auto found = Find(parsed.name)) return static_cast<ATOM>(kFirstStringAtom + *found);
  SetLastError(ERROR_FILE_NOT_FOUND);
  return 0;
}

ATOM DeleteAtomA(ATOM atom) {
  if (atom >= 1 && atom < kFirstStringAtom) return 0;
  Entry* entry = EntryOf(atom);
  if (entry == nullptr) {
    SetLastError(ERROR_INVALID_HANDLE);
    return atom;
  }
  if (--entry->references == 0) entry->name.clear();
  return 0;
}

UINT GetAtomNameA(ATOM atom, char* buffer, int size) {
  if (buffer == nullptr || size <= 0) return 0;
  std::string name;
  if (atom >= 1 && atom < kFirstStringAtom) {
    name = "#" + std::to_string(atom);
  } else if (Entry* entry = EntryOf(atom)) {
    name = entry->name;
  } else {
    SetLastError(ERROR_INVALID_HANDLE);
    buffer[0] = '\0';
    return 0;
  }
  const std::size_t bytes = SjisPrefixBytes(name, static_cast<std::size_t>(size) - 1);
  std::memcpy(buffer, name.data(), bytes);
  buffer[bytes] = '\0';
  return static_cast<UINT>(bytes);
}

}  // namespace lexiv::platform
