#pragma once

#include <optional>

#include "app/about_box.h"
#include "app/file_dialog.h"
#include "core/text.h"

namespace zemvo {

enum class MessageIcon { None, Information, Warning, Error, Question };
enum class MessageButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MessageAnswer { Ok, Cancel, Yes, No };

// A modal message box.
struct Message {
  MessageIcon icon = MessageIcon::None;
  Text caption;
  Text text;
  MessageButtons buttons = MessageButtons::Ok;
};

enum class WindowState { Normal, Minimized };

struct ScreenSize {
  int width = 0;
  int height = 0;
};

// What the form asks of its surroundings. The Windows program answers with
// real windows; tests answer from a script and record what was asked.
class Host {
 public:
  virtual ~Host() = default;

  virtual MessageAnswer showMessage(const Message& message) = 0;
  // The chosen file's full path; nothing when the user cancels.
  virtual std::optional<Text> showFileDialog(const FileDialog& dialog) = 0;
  // Modal; the dialog is destroyed when it closes, also when showing fails.
  virtual void showAboutBox(const TAboutBox& content) = 0;

  // Plain text only; empty when the clipboard holds no text.
  virtual Text clipboardText() = 0;
  virtual void setClipboardText(TextView text) = 0;

  // A plain sleep of the window thread.
  virtual void sleep(int milliseconds) = 0;
  // Lets the pending window messages run (repaints); the view starts no
  // handler meanwhile.
  virtual void processMessages() = 0;

  virtual void setMainWindowState(WindowState state) = 0;
  // Brings the window of a control of the form to the front.
  virtual void bringToFront(TextView componentName) = 0;

  virtual Text executablePath() = 0;
  virtual ScreenSize screenSize() = 0;
};

}  // namespace zemvo
