#include "app/dispatcher.h"

#include "app/general_error.h"

namespace zemvo {

Dispatcher::Dispatcher(Host& host, Text applicationTitle)
    : host_(host), applicationTitle_(std::move(applicationTitle)) {}

bool Dispatcher::run(const std::function<void()>& handler) {
  if (running_) return false;
  struct Running {
    bool& flag;
    explicit Running(bool& f) : flag(f) { flag = true; }
    ~Running() { flag = false; }
  } running(running_);
  showErrorsOf(handler);
  return true;
}

void Dispatcher::showErrorsOf(const std::function<void()>& action) {
  try {
    action();
  } catch (...) {
    showGeneralError(host_, applicationTitle_, exceptionText(std::current_exception()));
  }
}

}  // namespace zemvo
