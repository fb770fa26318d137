#pragma once

#include "app/control.h"

namespace zemvo {

enum class FileDialogKind { Open, Save };

// A text-file dialog of the form; the host shows it. The filter pairs a
// description with a pattern, each ended by "|": "*.sim|*.sim|*.*|*.*".
class FileDialog : public Control {
 public:
  FileDialog(ControlRegistry& registry, Text name, FileDialogKind kind, Text filter)
      : Control(registry, std::move(name), u""), kind_(kind), filter_(std::move(filter)) {}

  FileDialogKind kind() const { return kind_; }
  const Text& filter() const { return filter_; }

 private:
  FileDialogKind kind_;
  Text filter_;
};

}  // namespace zemvo
