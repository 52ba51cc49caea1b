/** @file VbError.cpp The runtime error type and its standard descriptions. */
#include "runtime/VbError.h"

#include <algorithm>
#include <new>

namespace rt {

std::string ErrorDescription(int number) {
  switch (number) {
    case kErrInvalidCall: return "Invalid procedure call or argument";
    case kErrOverflow: return "Overflow";
    case kErrSubscript: return "Subscript out of range";
    case kErrDivisionByZero: return "Division by zero";
    case kErrTypeMismatch: return "Type mismatch";
    case kErrFileNotFound: return "File not found";
    case kErrPathFileAccess: return "Path/File access error";
    case kErrDuplicateKey: return "This key is already associated with an element of this collection";
    default: return "Application-defined or object-defined error";
  }
}

std::string ErrorWords(int number) {
  switch (number) {
    case kErrInvalidCall: return "手続きの呼び出しか引数が正しくありません";
    case kErrOverflow: return "数値が扱える範囲を超えました";
    case kErrSubscript: return "範囲の外の番号を指しました";
    case kErrDivisionByZero: return "0 で割ろうとしました";
    case kErrTypeMismatch: return "値の種類が合いません";
    case kErrFileNotFound: return "ファイルが見つかりません";
    case kErrPathFileAccess: return "ファイルを読み書きできません";
    case kErrDuplicateKey: return "同じキーの要素が既にあります";
    default: return "プログラムの内部エラーです";
  }
}

std::string DescribeError(const std::exception& e) {
  if (const auto* vb = dynamic_cast<const VbError*>(&e))
    return "エラー " + std::to_string(vb->Number()) + " " + ErrorWords(vb->Number());
  if (dynamic_cast<const std::bad_alloc*>(&e)) return "メモリが足りません";
  // The game's own messages are Japanese; a text all in ASCII is a library's English.
  const std::string text = e.what();
  const bool ascii = std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
  return ascii ? ErrorWords(0) : text;
}

VbError::VbError(int number, const std::string& description)
    : std::runtime_error(description), number_(number) {}

VbError::VbError(int number) : VbError(number, ErrorDescription(number)) {}

}  // namespace rt
