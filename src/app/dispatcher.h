#pragma once

#include <functional>

#include "app/host.h"

namespace zemvo {

// Runs the form's handlers, one at a time. An error that escapes a handler
// is shown as the general error message and the program goes on.
class Dispatcher {
 public:
  Dispatcher(Host& host, Text applicationTitle);

  // Runs nothing and answers false while another handler runs: a handler
  // that lets window messages through must not find a second one started.
  bool run(const std::function<void()>& handler);
  bool running() const { return running_; }

  // Runs `action` and shows an error it raises, so that the caller can go
  // on with what must happen anyway.
  void showErrorsOf(const std::function<void()>& action);

 private:
  Host& host_;
  Text applicationTitle_;
  bool running_ = false;
};

}  // namespace zemvo
