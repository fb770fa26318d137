#pragma once

#include <stdexcept>

#include "core/text.h"

namespace zemvo {

// The one error type of the program. Its text is what the general error
// message shows, so it is kept as UTF-16 as the user will read it.
class Error : public std::runtime_error {
 public:
  explicit Error(Text message);
  const Text& text() const noexcept { return text_; }

 private:
  Text text_;
};

}  // namespace zemvo
