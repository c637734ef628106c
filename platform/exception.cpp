#include "platform/exception.h"

#include <cstdio>

#include "platform/codepage.h"

namespace vornelle::platform {

namespace {

ExceptionHandlerFn g_handler = nullptr;
TerminateFn g_terminate = nullptr;
bool g_terminate_requested = false;

void StderrHandler(const std::exception& error) {
  std::fprintf(stderr, "%s\n", AnsiToUtf8(error.what()).c_str());
  std::fflush(stderr);
}

}  // namespace

ExceptionHandlerFn SetExceptionHandler(ExceptionHandlerFn handler) {
  ExceptionHandlerFn old = g_handler;
  g_handler = handler;
  return old;
}

void HandleException(const std::exception& error) {
  if (dynamic_cast<const EAbort*>(&error)) return;
  (g_handler ? g_handler : StderrHandler)(error);
}

void HandleCurrentException() {
  try {
    throw;
  } catch (const std::exception& error) {
    HandleException(error);
  } catch (...) {
    HandleException(Exception("Unknown exception"));
  }
}

TerminateFn SetTerminateRequest(TerminateFn request) {
  TerminateFn old = g_terminate;
  g_terminate = request;
  return old;
}

void RequestTerminate() {
  g_terminate_requested = true;
  if (g_terminate) g_terminate();
}

bool TerminateRequested() { return g_terminate_requested; }
void ClearTerminateRequest() { g_terminate_requested = false; }

}  // namespace vornelle::platform
