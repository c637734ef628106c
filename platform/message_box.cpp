#include "platform/message_box.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/codepage.h"

namespace vornelle::platform {

namespace {

void StderrBox(std::string_view caption, std::string_view text) {
  std::string out = caption.empty() ? AnsiToUtf8(text) : AnsiToUtf8(caption) + "\n" + AnsiToUtf8(text);
  // The engine's texts end lines with CR LF; a terminal wants LF.
  std::string clean;
  clean.reserve(out.size());
  for (char c : out)
    if (c != '\r') clean += c;
  std::fprintf(stderr, "%s\n", clean.c_str());
  std::fflush(stderr);
}

MessageBoxFn g_box = nullptr;
PlainMessageFn g_plain = nullptr;
EndProcessFn g_end = nullptr;

}  // namespace

MessageBoxFn SetErrorMessageBox(MessageBoxFn box) {
  MessageBoxFn old = g_box;
  g_box = box;
  return old;
}

void ShowErrorMessageBox(std::string_view caption, std::string_view text) {
  if (g_box)
    g_box(caption, text);
  else
    StderrBox(caption, text);
}

PlainMessageFn SetMessageBox(PlainMessageFn box) {
  PlainMessageFn old = g_plain;
  g_plain = box;
  return old;
}

void ShowMessage(std::string_view text) {
  if (g_plain)
    g_plain(text);
  else
    StderrBox("", text);
}

EndProcessFn SetEndProcess(EndProcessFn end) {
  EndProcessFn old = g_end;
  g_end = end;
  return old;
}

void EndProcess(int code) {
  if (g_end) g_end(code);  // may throw to let a test observe the halt
  // exit() runs the engine's closing of open tables, so their headers are written.
  std::exit(code);
}

}  // namespace vornelle::platform
