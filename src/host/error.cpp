// Run-time error type and the texts of the error numbers.
#include "host/error.hpp"

namespace zav3::host {

RuntimeError::RuntimeError(int number, int line, std::string detail)
    : number_(number), line_(line), detail_(std::move(detail)) {
  what_ = "error " + std::to_string(number_) + " at line " + std::to_string(line_) + ": " +
          errorText(number_);
  if (!detail_.empty()) what_ += " (" + detail_ + ")";
}

void raise(int number, std::source_location where) {
  throw RuntimeError(number, static_cast<int>(where.line()));
}

void raise(int number, std::string detail, std::source_location where) {
  throw RuntimeError(number, static_cast<int>(where.line()), std::move(detail));
}

std::string errorText(int number) {
  switch (number) {
    case err::illegalCall: return "Invalid procedure call or argument";
    case err::overflow: return "Overflow";
    case err::outOfMemory: return "Out of memory";
    case err::subscript: return "Subscript out of range";
    case err::divisionByZero: return "Division by zero";
    case err::typeMismatch: return "Type mismatch";
    case err::badFileNumber: return "Bad file number";
    case err::badFileMode: return "Bad file mode";
    case err::fileAlreadyOpen: return "File already open";
    case err::fileNotFound: return "File not found";
    case err::badFileName: return "Bad file name";
    case err::fileNotOpen: return "File not open";
    case err::fileExists: return "File already exists";
    case err::diskFull: return "Disk full";
    case err::inputPastEnd: return "Input past end of file";
    case err::badRecordNumber: return "Bad record number";
    case err::fieldOverflow: return "Field overflow";
    case err::accessError: return "Path/File access error";
    case err::pathNotFound: return "Path not found";
    case err::badPicture: return "Invalid picture";
    case err::invalidHandle: return "Invalid control or object handle";
    case err::wrongControlKind: return "Control of the wrong kind";
    case err::emptyObject: return "Object variable not set";
    default: return "Application-defined or object-defined error";
  }
}

}  // namespace zav3::host
