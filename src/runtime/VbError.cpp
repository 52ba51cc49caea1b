/** @file VbError.cpp The runtime error type and its standard descriptions. */
#include "runtime/VbError.h"

namespace rt {

std::string ErrorDescription(int number) {
  switch (number) {
    case kErrInvalidCall: return "Invalid procedure call or argument";
    case kErrOverflow: return "Overflow";
    case kErrSubscript: return "Subscript out of range";
    case kErrDivisionByZero: return "Division by zero";
    case kErrTypeMismatch: return "Type mismatch";
    case kErrFileNotFound: return "File not found";
    case kErrDuplicateKey: return "This key is already associated with an element of this collection";
    default: return "Application-defined or object-defined error";
  }
}

VbError::VbError(int number, const std::string& description)
    : std::runtime_error(description), number_(number) {}

VbError::VbError(int number) : VbError(number, ErrorDescription(number)) {}

}  // namespace rt
