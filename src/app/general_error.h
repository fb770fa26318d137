#pragma once

#include <exception>

#include "app/host.h"
#include "core/text.h"

namespace zemvo {

// The text of an error as the general error message shows it: a full stop
// is appended unless the text is empty or ends in a character whose code is
// that of "." or lower.
Text generalErrorText(TextView message);

// The text an escaping exception carries.
Text exceptionText(const std::exception_ptr& error);

// The modal box with the error icon and the application title as caption.
void showGeneralError(Host& host, TextView applicationTitle, TextView message);

}  // namespace zemvo
