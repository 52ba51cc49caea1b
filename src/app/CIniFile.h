/** @file CIniFile.h The settings store: a whole INI file in memory, sections of keys and values. */
#pragma once
#include <string>
#include <string_view>

#include "runtime/Collection.h"

/// An INI file held in memory. Sections and keys are found ignoring case and kept as spelled.
/// Values change in memory only; Save writes the file, whole and atomically.
class CIniFile {
 public:
  /// Reads the whole file (each line UTF-8, or CP932 when that line is not valid UTF-8; a line
  /// holding a character 0 is dropped). True when it has at least one section. The current
  /// section is left as it was.
  bool Load(const std::string& IniFileName);
  /// Writes the named section, or every section when `Section` is empty, into the file given
  /// to Load; sections in the file that are not written stay as they are. False when the file
  /// cannot be written (the old file stays whole) or there is no section to write.
  bool Save(const std::string& Section = "");

  const std::string& NowSection() const { return nowSection_; }
  /// Selects a section, creating an empty one in memory when there is none of that name.
  void NowSection(std::string_view NewSection);

  /// The value of a key of the current section; "" when the key or the section is missing.
  std::string Data(std::string_view Key) const;
  /// Sets a key of the current section; a changed key moves to the end of the section.
  void Data(std::string_view Key, std::string_view NewData);
  void DeleteData(std::string_view Key);

  bool IsSection(std::string_view sSection) const { return sections_.Exists(sSection); }
  bool IsData(std::string_view Key) const;
  /// True when the current section was in the file when it was selected, or has been saved since.
  bool IsExist() const { return isExist_; }

  const rt::Collection<std::string>& Sections() const { return sections_; }
  const rt::Collection<std::string>& Keys() const { return keys_; }
  /// Why the last Save failed ("" after a successful one).
  const std::string& LastError() const { return lastError_; }

 private:
  using Entries = rt::Collection<std::string>;  ///< "key\0value" filed under the key

  Entries* Current();
  const Entries* Current() const;
  void RebuildKeys();
  /// The text of one section as written to the file, from its key list.
  std::string SectionText(const std::string& name);

  std::string fileName_;
  rt::Collection<std::string> sections_;  ///< section names, in file order
  rt::Collection<Entries> contents_;      ///< one entry list per section, filed under its name
  std::string nowSection_;
  rt::Collection<std::string> keys_;      ///< key names of the current section, as written
  bool isExist_ = false;
  std::string lastError_;
};
