// The exception hierarchy every layer raises and catches.
//
// Failures are reported by exceptions that carry a message (code page 1254).
// EAbort unwinds the current operation silently: handlers that show messages
// skip it.
#pragma once
#include <exception>
#include <string>

#include "classlib/system/ansistring.h"

class Exception : public std::exception {
public:
  explicit Exception(AnsiString message) : Message(std::move(message)) {}
  const char* what() const noexcept override { return Message.c_str(); }
  virtual const char* ClassName() const { return "Exception"; }

  AnsiString Message;
};

#define DOZURI_EXCEPTION(Name, Parent)                          \
  class Name : public Parent {                                  \
  public:                                                       \
    using Parent::Parent;                                       \
    const char* ClassName() const override { return #Name; }    \
  }

DOZURI_EXCEPTION(EAbort, Exception);
DOZURI_EXCEPTION(EConvertError, Exception);
DOZURI_EXCEPTION(EIntError, Exception);
DOZURI_EXCEPTION(EIntOverflow, EIntError);
DOZURI_EXCEPTION(EDivByZero, EIntError);
DOZURI_EXCEPTION(ERangeError, EIntError);
DOZURI_EXCEPTION(EMathError, Exception);
DOZURI_EXCEPTION(EZeroDivide, EMathError);
DOZURI_EXCEPTION(EInvalidOp, EMathError);
DOZURI_EXCEPTION(EOverflow, EMathError);
DOZURI_EXCEPTION(EUnderflow, EMathError);
DOZURI_EXCEPTION(EListError, Exception);
DOZURI_EXCEPTION(EStringListError, Exception);
// A stream failure; ErrorCode is the system's error code behind it, 0 when
// the failure is the stream's own (a read past the end of its data).
class EStreamError : public Exception {
public:
  explicit EStreamError(AnsiString message, unsigned long errorCode = 0)
      : Exception(std::move(message)), ErrorCode(errorCode) {}
  const char* ClassName() const override { return "EStreamError"; }
  unsigned long ErrorCode;
};
DOZURI_EXCEPTION(EFilerError, EStreamError);
DOZURI_EXCEPTION(EReadError, EFilerError);
DOZURI_EXCEPTION(EWriteError, EFilerError);
DOZURI_EXCEPTION(EClassNotFound, EFilerError);
DOZURI_EXCEPTION(EFileStreamError, EStreamError);
DOZURI_EXCEPTION(EFOpenError, EFileStreamError);
DOZURI_EXCEPTION(EFCreateError, EFileStreamError);
DOZURI_EXCEPTION(EResNotFound, Exception);
DOZURI_EXCEPTION(EIniFileException, Exception);
// A file operation failed; ErrorCode is the system's error code, 0 when
// none is known.
class EInOutError : public Exception {
public:
  explicit EInOutError(AnsiString message, unsigned long errorCode = 0)
      : Exception(std::move(message)), ErrorCode(errorCode) {}
  const char* ClassName() const override { return "EInOutError"; }
  unsigned long ErrorCode;
};
DOZURI_EXCEPTION(EOutOfResources, Exception);
DOZURI_EXCEPTION(EInvalidOperation, Exception);
DOZURI_EXCEPTION(EInvalidPointer, Exception);
DOZURI_EXCEPTION(EComponentError, Exception);
DOZURI_EXCEPTION(EPropertyError, Exception);
DOZURI_EXCEPTION(EVariantError, Exception);
DOZURI_EXCEPTION(EInvalidCast, Exception);
DOZURI_EXCEPTION(EInvalidGraphic, Exception);
DOZURI_EXCEPTION(EGraphicCompression, Exception);
DOZURI_EXCEPTION(EColorConversionError, Exception);
DOZURI_EXCEPTION(EDatabaseError, Exception);

// An operating-system failure with the system's text for the error code.
class EOSError : public Exception {
public:
  EOSError(AnsiString message, unsigned long errorCode)
      : Exception(std::move(message)), ErrorCode(errorCode) {}
  const char* ClassName() const override { return "EOSError"; }
  unsigned long ErrorCode;
};

// Raises EOSError for the calling thread's last OS error ("System Error.  Code: %d.\n%s").
[[noreturn]] void RaiseLastOSError();
[[noreturn]] void RaiseLastOSError(unsigned long errorCode);
// The system's text for an error code (through the OS seam natively).
AnsiString SysErrorMessage(unsigned long errorCode);
