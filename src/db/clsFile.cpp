/** @file clsFile.cpp Small file helpers over the standard library. */
#include "db/clsFile.h"

#include <filesystem>
#include <fstream>
#include <iterator>

#include "runtime/DateTime.h"
#include "runtime/Strings.h"
#include "runtime/VbError.h"

namespace {

std::filesystem::path PathOf(std::string_view p) { return std::filesystem::path(std::string(p)); }

std::ofstream OpenForWrite(std::string_view path, std::ios::openmode mode) {
  std::ofstream out(PathOf(path), mode | std::ios::binary);
  if (!out) throw rt::VbError(rt::kErrPathFileAccess);
  return out;
}

void Finish(std::ofstream& out) {
  out.flush();
  if (!out) throw rt::VbError(rt::kErrPathFileAccess);
}

std::string ReadAll(std::string_view path) {
  std::ifstream in(PathOf(path), std::ios::binary);
  if (!in) throw rt::VbError(rt::kErrFileNotFound);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace

void clsFile::FileWriteAppend(std::string_view pFilePath, std::string_view pData) {
  std::ofstream out = OpenForWrite(pFilePath, std::ios::app);
  out << rt::FormatDateTime(rt::Now()) << "\r\n" << pData << "\r\n" << std::string(39, '-') << "\r\n";
  Finish(out);
}

int32_t clsFile::FileSize(std::string_view pFilePath) {
  std::error_code ec;
  auto path = PathOf(pFilePath);
  if (!std::filesystem::is_regular_file(path, ec)) return -1;
  auto size = std::filesystem::file_size(path, ec);
  if (ec) return -1;
  return static_cast<int32_t>(static_cast<uint32_t>(size));
}

bool clsFile::IsFile(std::string_view pFilePath) {
  std::error_code ec;
  return !pFilePath.empty() && std::filesystem::is_regular_file(PathOf(pFilePath), ec);
}

void clsFile::FileWrite(std::string_view pFilePath, std::string_view pData) {
  std::ofstream out = OpenForWrite(pFilePath, std::ios::trunc);
  for (const std::string& line : rt::Split(pData, "\r\n")) out << line << "\r\n";
  Finish(out);
}

void clsFile::FileWriteBinary(std::string_view pFilePath, const std::vector<uint8_t>& Data) {
  // Written anew: a shorter array must not leave the old file's tail behind.
  std::ofstream out = OpenForWrite(pFilePath, std::ios::trunc);
  out.write(reinterpret_cast<const char*>(Data.data()), static_cast<std::streamsize>(Data.size()));
  Finish(out);
}

std::string clsFile::FileRead(std::string_view pFilePath) {
  std::string text;
  for (const std::string& line : rt::SplitLines(ReadAll(pFilePath))) text += line + "\r\n";
  return text;
}

std::vector<uint8_t> clsFile::FileReadBinary(std::string_view pFilePath) {
  std::string bytes = ReadAll(pFilePath);
  return std::vector<uint8_t>(bytes.begin(), bytes.end());
}
