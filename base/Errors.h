#pragma once
// The program's error types. Messages are the texts the user sees in the error box.
#include <stdexcept>
#include <string>

namespace velmora {

// Any error the program reports: the message is shown as it stands.
class Error : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A failed file operation, identified by the runtime's file error code
// (2 file not found, 3 invalid file name, 4 too many open files, 5 access
// denied, 101 disk full; anything else is reported by number).
class InOutError : public Error {
 public:
  explicit InOutError(int code);
  // The same error told in other words, such as the system's own reason.
  InOutError(int code, const std::string& message);
  int Code() const { return code_; }

 private:
  int code_;
};

// A text that should have held a decimal integer.
class ConvertError : public Error {
 public:
  using Error::Error;
};

// Memory exhausted, typically by a picture too large for the address space.
class OutOfMemoryError : public Error {
 public:
  OutOfMemoryError();
};

// A picture whose header claims more pixels than the process can hold,
// refused before its pixels are asked for.
class PictureTooLargeError : public Error {
 public:
  PictureTooLargeError(long long width, long long height);
};

// A screen whose picture layers cannot all be held by the process.
class ScreenTooLargeError : public Error {
 public:
  ScreenTooLargeError(int width, int height);
};

namespace io {
constexpr int kFileNotFound = 2;
constexpr int kInvalidFilename = 3;
constexpr int kTooManyOpenFiles = 4;
constexpr int kAccessDenied = 5;
constexpr int kDiskFull = 101;
}  // namespace io

std::string InOutMessage(int code);

// Runtime file error code for a C library errno, seen while opening a file
// for reading (forReading) or while creating or writing one.
int InOutCodeFromErrno(int err, bool forReading);

// printf-style formatting into a std::string.
std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));

}  // namespace velmora
