/** @file clsFile.h Small file helpers: append a dated record, size, existence, whole-file text and bytes. */
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

/// Each member opens and closes its file within the call. Text lines end with CR LF.
/// Failures to read or write throw rt::VbError (FileSize answers -1 instead).
class clsFile {
 public:
  /// Appends the present date and time, pData, and a line of 39 "-" (created when missing).
  void FileWriteAppend(std::string_view pFilePath, std::string_view pData);
  /// Size in bytes (low 32 bits); -1 when the file cannot be opened.
  int32_t FileSize(std::string_view pFilePath);
  /// True when the path names an existing file (not a folder).
  bool IsFile(std::string_view pFilePath);
  /// Writes the file anew: pData split at each CR LF, each piece one line.
  void FileWrite(std::string_view pFilePath, std::string_view pData);
  /// Writes the bytes as the whole file.
  void FileWriteBinary(std::string_view pFilePath, const std::vector<uint8_t>& Data);
  /// The text file's lines, each followed by CR LF.
  std::string FileRead(std::string_view pFilePath);
  /// The whole file's bytes.
  std::vector<uint8_t> FileReadBinary(std::string_view pFilePath);
};
