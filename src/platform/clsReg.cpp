/** @file clsReg.cpp Registry reads, answered from our own small table of values. */
#include "platform/clsReg.h"

#include "runtime/Strings.h"

namespace plat {
namespace {

std::vector<RegEntry> DefaultEntries() {
  // DirectX 8.1's version text: the audio path of the port is the DirectX 8 one.
  return {{HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\DirectX", "Version", std::string("4.09.00.0904")}};
}

std::vector<RegEntry>& Entries() {
  static std::vector<RegEntry> entries = DefaultEntries();
  return entries;
}

}  // namespace

RegValue clsReg::RegGetValue(int32_t lnghInKey, const std::string& strSubKey, const std::string& strValName,
                             int32_t lngType, const RegValue& varDefault) const {
  bool keyFound = false;
  const RegEntry* found = nullptr;
  for (const RegEntry& e : Entries()) {
    if (e.Hive != lnghInKey || !rt::EqualsNoCase(e.SubKey, strSubKey)) continue;
    keyFound = true;
    if (rt::EqualsNoCase(e.Name, strValName)) found = &e;
  }
  if (!keyFound || !found) return varDefault;
  if (lngType == REG_SZ) {
    if (const auto* text = std::get_if<std::string>(&found->Value)) {
      // The old call read into a buffer of 256 characters and kept what came before the first NUL.
      std::string value = text->substr(0, text->find('\0'));
      if (value.size() > 255) value.resize(255);
      return value;
    }
  } else if (lngType == REG_DWORD) {
    if (const auto* number = std::get_if<int32_t>(&found->Value)) return *number;
  }
  return varDefault;
}

ScopedRegistry::ScopedRegistry(std::vector<RegEntry> entries) : previous_(std::move(Entries())) {
  Entries() = std::move(entries);
}

ScopedRegistry::~ScopedRegistry() { Entries() = std::move(previous_); }

}  // namespace plat
