#pragma once
// The exception classes every layer above the platform raises, and the application's default
// handler: where an exception goes that must not end the operation that met it.

#include <exception>
#include <stdexcept>
#include <string>

namespace vornelle::platform {

// The base of every exception this system raises.
class Exception : public std::runtime_error {
 public:
  explicit Exception(const std::string& message) : std::runtime_error(message) {}
};

// Ends an operation without a message: the default handler shows nothing for it.
class EAbort : public Exception {
 public:
  EAbort() : Exception("Operation aborted") {}
};

// A failed input or output operation, with the platform's error code.
class EInOutError : public Exception {
 public:
  EInOutError(const std::string& message, int code) : Exception(message), error_code(code) {}
  int error_code;
};

// A text that does not convert to the value asked for.
class EConvertError : public Exception {
 public:
  explicit EConvertError(const std::string& message) : Exception(message) {}
};

// An object used as a class it does not belong to.
class EInvalidCast : public Exception {
 public:
  EInvalidCast() : Exception("Invalid class typecast") {}
};

// The application's default exception handler. By default the message goes to stderr; the
// GUI installs a message box. EAbort is never shown.
using ExceptionHandlerFn = void (*)(const std::exception& error);
ExceptionHandlerFn SetExceptionHandler(ExceptionHandlerFn handler);  // null: the default
void HandleException(const std::exception& error);
// For use inside a catch block: hands whatever is being handled to HandleException.
void HandleCurrentException();

// Asks the application to end once the current event is handled. The GUI installs its own
// request; by default the request is only remembered.
using TerminateFn = void (*)();
TerminateFn SetTerminateRequest(TerminateFn request);  // null: the default
void RequestTerminate();
bool TerminateRequested();
void ClearTerminateRequest();

}  // namespace vornelle::platform
