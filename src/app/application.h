#pragma once

namespace zemvo {

// The application's title: the task bar's text and the caption of the
// general error message.
inline constexpr char16_t kApplicationTitle[] = u"Zemvo for BricsCAD Ver. 2023.02.10";

}  // namespace zemvo
