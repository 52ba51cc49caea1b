/** @file clsReg.h Registry reads, answered from our own small table of values. */
#pragma once
#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace plat {

/// The hives as the old registry calls numbered them.
constexpr int32_t HKEY_CURRENT_USER = static_cast<int32_t>(0x80000001u);
constexpr int32_t HKEY_LOCAL_MACHINE = static_cast<int32_t>(0x80000002u);

/// Value types of RegGetValue.
constexpr int32_t REG_SZ = 1;     ///< text
constexpr int32_t REG_DWORD = 4;  ///< 32-bit number

/// A registry value, or a caller's default: nothing, a text or a 32-bit number.
using RegValue = std::variant<std::monostate, std::string, int32_t>;

/// One value of the table behind clsReg.
struct RegEntry {
  int32_t Hive;
  std::string SubKey;  ///< "SOFTWARE\\Microsoft\\DirectX"; compared ignoring case
  std::string Name;    ///< compared ignoring case
  RegValue Value;
};

/// There is no registry here: the table answers the DirectX version query with a version that
/// selects the DirectX 8 audio path; every other key is missing, so callers get their default.
class clsReg {
 public:
  /// The value `strValName` of key `strSubKey` in hive `lnghInKey`, read as `lngType`
  /// (REG_SZ or REG_DWORD); `varDefault` when the key is missing or the value cannot be read
  /// as that type.
  RegValue RegGetValue(int32_t lnghInKey, const std::string& strSubKey, const std::string& strValName,
                       int32_t lngType, const RegValue& varDefault) const;
};

/// While alive, the registry holds exactly the given entries (tests).
class ScopedRegistry {
 public:
  explicit ScopedRegistry(std::vector<RegEntry> entries);
  ~ScopedRegistry();
  ScopedRegistry(const ScopedRegistry&) = delete;
  ScopedRegistry& operator=(const ScopedRegistry&) = delete;

 private:
  std::vector<RegEntry> previous_;
};

}  // namespace plat
