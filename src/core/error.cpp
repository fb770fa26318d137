#include "core/error.h"

namespace zemvo {

Error::Error(Text message) : std::runtime_error(toUtf8(message)), text_(std::move(message)) {}

}  // namespace zemvo
