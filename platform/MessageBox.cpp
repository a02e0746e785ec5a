// MessageBox.cpp: the message box handler.
#include "MessageBox.h"

#include <cstdio>
#include <unistd.h>

namespace tarvil::platform {
namespace {

int DefaultMessageBox(const char* text, unsigned int, unsigned int) {
  std::fprintf(stderr, "%s\n", text);
  std::fflush(stderr);
  if (isatty(STDIN_FILENO)) {
    std::fputs("[press Enter]", stderr);
    std::fflush(stderr);
    int c;
    while ((c = std::getchar()) != EOF && c != '\n') {
    }
  }
  return 1;  // IDOK
}

MessageBoxHandler& Current() {
  static MessageBoxHandler handler = DefaultMessageBox;
  return handler;
}

}  // namespace

MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler) {
  MessageBoxHandler previous = Current();
  Current() = handler ? std::move(handler) : MessageBoxHandler(DefaultMessageBox);
  return previous;
}

int AfxMessageBox(const char* text, unsigned int type, unsigned int helpContext) {
  // A copy, so that a handler may replace itself while it runs.
  MessageBoxHandler handler = Current();
  return handler(text ? text : "", type, helpContext);
}

}  // namespace tarvil::platform
