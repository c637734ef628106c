#include "engine/message_window.h"

namespace vornelle::engine {

namespace {
MessageWindowView* g_view = nullptr;
}

void SetMessageWindowView(MessageWindowView* view) { g_view = view; }

TTzMsg::~TTzMsg() { Hide(); }

void TTzMsg::ShowText(std::string_view text) {
  shown_ = true;
  if (g_view) g_view->Show(caption_, text);
}

void TTzMsg::Hide() {
  if (shown_ && g_view) g_view->Hide();
  shown_ = false;
}

TTzProgress100::TTzProgress100(std::string caption)
    : TTzMsg(std::move(caption)), bar_(kBarLength, '|') {}

void TTzProgress100::Step() {
  if (bar_.empty())
    bar_.assign(kBarLength, '|');
  else
    bar_.pop_back();
  ShowText(bar_);
}

}  // namespace vornelle::engine
