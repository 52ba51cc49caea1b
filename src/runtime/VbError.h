/** @file VbError.h The one error type of the old runtime: an error number and its description. */
#pragma once
#include <exception>
#include <stdexcept>
#include <string>

namespace rt {

/// Error numbers the game's code meets (the old runtime's numbering).
enum VbErrNum : int {
  kErrInvalidCall = 5,      ///< "Invalid procedure call or argument"
  kErrOverflow = 6,         ///< "Overflow"
  kErrSubscript = 9,        ///< "Subscript out of range"
  kErrDivisionByZero = 11,  ///< "Division by zero"
  kErrTypeMismatch = 13,    ///< "Type mismatch"
  kErrFileNotFound = 53,    ///< "File not found"
  kErrPathFileAccess = 75,  ///< "Path/File access error"
  kErrDuplicateKey = 457,   ///< "This key is already associated with an element of this collection"
};

/// A runtime error as the old runtime raised it. what() is the description.
class VbError : public std::runtime_error {
 public:
  VbError(int number, const std::string& description);
  explicit VbError(int number);  ///< with the standard description of that number
  int Number() const { return number_; }
  std::string Description() const { return what(); }

 private:
  int number_;
};

/// The runtime's standard description of an error number ("Overflow", ...).
std::string ErrorDescription(int number);
/// The same in the words a player reads: the descriptions are the runtime's English.
std::string ErrorWords(int number);
/// An error as the player is told it: "エラー" with the old runtime's number and its Japanese
/// words, or the text of any other exception when it is the game's own (Japanese); never a
/// library's English.
std::string DescribeError(const std::exception& e);

}  // namespace rt
