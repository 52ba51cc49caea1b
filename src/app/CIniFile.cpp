/** @file CIniFile.cpp The settings store: a whole INI file in memory, sections of keys and values. */
#include "app/CIniFile.h"

#include <vector>

#include "platform/FileSystem.h"
#include "platform/TextCodec.h"
#include "runtime/Strings.h"

namespace {

constexpr char kSep = '\0';  ///< between key and value inside an entry

// A section header line: "[name]" after leading blanks. Gives the trimmed name.
bool IsSectionLine(std::string_view line, std::string& name) {
  size_t i = line.find_first_not_of(" \t");
  if (i == std::string_view::npos || line[i] != '[') return false;
  std::string_view rest = line.substr(i + 1);
  size_t close = rest.find(']');
  name = rt::Trim(rest.substr(0, close));
  return true;
}

// The file's text as UTF-8, line by line: a line that is valid UTF-8 stays, any other is taken
// as CP932 (so one stray byte garbles only its own line). A BOM is dropped, and so is a line
// holding a character 0, which would cut its key or value short.
std::string DecodeFile(std::string bytes) {
  if (bytes.rfind("\xEF\xBB\xBF", 0) == 0) bytes.erase(0, 3);
  if (rt::IsValidUtf8(bytes) && bytes.find('\0') == std::string::npos) return bytes;
  std::string text;
  for (size_t start = 0; start < bytes.size();) {
    size_t end = bytes.find('\n', start);
    end = end == std::string::npos ? bytes.size() : end + 1;
    const std::string_view line(bytes.data() + start, end - start);
    start = end;
    if (line.find('\0') != std::string_view::npos) continue;
    text += rt::IsValidUtf8(line) ? std::string(line) : plat::Cp932ToUtf8(line);
  }
  return text;
}

// A file as blocks of raw lines: the lines before the first section (name "") and then one block
// per section header.
struct Block {
  std::string name;
  bool isSection = false;
  std::vector<std::string> lines;
};

std::vector<Block> SplitBlocks(const std::string& text) {
  std::vector<Block> blocks(1);
  for (std::string& line : rt::SplitLines(text)) {
    std::string name;
    if (IsSectionLine(line, name)) {
      blocks.push_back(Block{name, true, {}});
    } else {
      blocks.back().lines.push_back(std::move(line));
    }
  }
  return blocks;
}

// Line breaks inside a key or value would split it into two lines of the file; a character 0
// would lose the line when it is read again.
std::string OneLine(std::string_view s) {
  std::string out;
  for (char c : s) {
    if (c == '\0') continue;
    out += c == '\r' || c == '\n' ? ' ' : c;
  }
  return out;
}

}  // namespace

bool CIniFile::Load(const std::string& IniFileName) {
  fileName_ = IniFileName;
  sections_.Clear();
  contents_.Clear();
  keys_.Clear();
  isExist_ = false;
  std::optional<std::string> bytes = plat::ReadWholeFile(IniFileName);
  if (!bytes) return false;
  for (Block& block : SplitBlocks(DecodeFile(std::move(*bytes)))) {
    if (!block.isSection || block.name.empty()) continue;
    // A section that appears twice is read as one; its later lines come after the earlier ones.
    if (!sections_.Exists(block.name)) {
      sections_.Add(block.name, block.name);
      contents_.Add(Entries{}, block.name);
    }
    Entries& entries = contents_.Item(block.name);
    for (const std::string& line : block.lines) {
      if (rt::Trim(line).empty()) continue;
      size_t eq = line.find('=');
      std::string key = rt::LCase(std::string_view(line).substr(0, eq));
      if (key.empty()) continue;  // "=value" can never be asked for
      std::string entry = line;
      if (eq != std::string::npos) entry[eq] = kSep;
      // A later line of the same key wins and takes the later place.
      if (entries.Exists(key)) entries.Remove(key);
      entries.Add(std::move(entry), key);
    }
  }
  // The current section's key list follows what was read.
  if (!nowSection_.empty() && contents_.Exists(nowSection_)) RebuildKeys();
  return sections_.Count() > 0;
}

CIniFile::Entries* CIniFile::Current() {
  return contents_.Exists(nowSection_) ? &contents_.Item(nowSection_) : nullptr;
}

const CIniFile::Entries* CIniFile::Current() const {
  return contents_.Exists(nowSection_) ? &contents_.Item(nowSection_) : nullptr;
}

void CIniFile::RebuildKeys() {
  keys_.Clear();
  const Entries* entries = Current();
  if (!entries) return;
  for (const auto& [key, entry] : *entries) {
    size_t sep = entry.find(kSep);
    if (sep != std::string::npos) keys_.Add(entry.substr(0, sep));
  }
}

void CIniFile::NowSection(std::string_view NewSection) {
  if (NewSection == nowSection_) return;
  if (sections_.Exists(NewSection)) {
    nowSection_ = sections_.Item(NewSection);
    isExist_ = true;
  } else {
    nowSection_ = std::string(NewSection);
    sections_.Add(nowSection_, nowSection_);
    contents_.Add(Entries{}, nowSection_);
    isExist_ = false;
  }
  RebuildKeys();
}

std::string CIniFile::Data(std::string_view Key) const {
  const Entries* entries = Current();
  if (!entries || Key.empty() || !entries->Exists(Key)) return "";
  const std::string& entry = entries->Item(Key);
  size_t sep = entry.find(kSep);
  return sep == std::string::npos ? entry : entry.substr(sep + 1);
}

void CIniFile::Data(std::string_view Key, std::string_view NewData) {
  if (Key.empty()) return;
  if (!Current()) {
    // The current section is gone after a Load of a file without it: it comes back in memory.
    if (nowSection_.empty()) return;
    sections_.Add(nowSection_, nowSection_);
    contents_.Add(Entries{}, nowSection_);
  }
  DeleteData(Key);
  std::string entry(Key);
  entry += kSep;
  entry += NewData;
  Current()->Add(std::move(entry), rt::LCase(Key));
  keys_.Add(std::string(Key));
}

void CIniFile::DeleteData(std::string_view Key) {
  Entries* entries = Current();
  if (!entries || Key.empty() || !entries->Exists(Key)) return;
  entries->Remove(Key);
  for (long i = 1; i <= keys_.Count(); ++i) {
    if (rt::EqualsNoCase(keys_.Item(i), Key)) {
      keys_.Remove(i);
      break;
    }
  }
}

bool CIniFile::IsData(std::string_view Key) const {
  const Entries* entries = Current();
  return entries && !Key.empty() && entries->Exists(Key);
}

std::string CIniFile::SectionText(const std::string& name) {
  NowSection(name);
  std::string text = "[" + OneLine(nowSection_) + "]\n";
  for (const auto& [unused, key] : keys_) text += OneLine(key) + "=" + OneLine(Data(key)) + "\n";
  return text;
}

bool CIniFile::Save(const std::string& Section) {
  lastError_.clear();
  std::vector<std::string> names;
  if (Section.empty()) {
    for (const auto& [unused, name] : sections_) names.push_back(name);
  } else {
    names.push_back(Section);
  }
  if (names.empty()) {
    lastError_ = "書き込む設定がありません";
    return false;
  }
  if (fileName_.empty()) {
    lastError_ = "設定ファイルの名前がありません";
    return false;
  }

  // The sections not written now keep their text in the file.
  std::vector<Block> blocks;
  if (std::optional<std::string> bytes = plat::ReadWholeFile(fileName_))
    blocks = SplitBlocks(DecodeFile(std::move(*bytes)));
  std::vector<std::string> texts;
  for (const std::string& name : names) texts.push_back(SectionText(name));

  std::string out;
  std::vector<bool> written(names.size(), false);
  for (const Block& block : blocks) {
    size_t match = names.size();
    if (block.isSection)
      for (size_t i = 0; i < names.size(); ++i)
        if (rt::EqualsNoCase(block.name, names[i])) match = i;
    if (match < names.size()) {
      if (!written[match]) out += texts[match];  // a repeated header goes with the first
      written[match] = true;
      continue;
    }
    if (block.isSection) out += "[" + block.name + "]\n";
    for (const std::string& line : block.lines) out += line + "\n";
  }
  for (size_t i = 0; i < names.size(); ++i)
    if (!written[i]) out += texts[i];

  if (!plat::WriteFileAtomic(fileName_, out, &lastError_)) return false;
  isExist_ = true;
  return true;
}
