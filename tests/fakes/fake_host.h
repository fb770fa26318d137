#pragma once

#include <deque>
#include <optional>
#include <vector>

#include "app/host.h"

namespace zemvo::fakes {

struct ShownMessage {
  Message message;
  MessageAnswer answer = MessageAnswer::Ok;
  bool unanswered = false;  // a question came and no answer was scripted
};

struct ShownFileDialog {
  Text name{};
  FileDialogKind kind = FileDialogKind::Open;
  Text filter{};
  std::optional<Text> answer{};
  bool unanswered = false;
};

// A host that answers from a script and records what the form asked.
// Boxes with only "OK" take no scripted answer; questions and file dialogs
// take the next one, and without one are cancelled and marked unanswered.
class FakeHost : public Host {
 public:
  Text executable = u"C:\\Zemvo\\Zemvo.exe";
  ScreenSize screen{1920, 1080};
  std::deque<MessageAnswer> messageAnswers;
  std::deque<std::optional<Text>> fileAnswers;  // nothing: the user cancels
  Text clipboard;

  std::vector<ShownMessage> messages;
  std::vector<ShownFileDialog> fileDialogs;
  std::vector<TAboutBox> aboutBoxes;
  std::vector<int> sleeps;  // milliseconds, in order
  int processMessagesCount = 0;
  std::vector<WindowState> windowStates;
  std::vector<Text> broughtToFront;

  MessageAnswer showMessage(const Message& message) override;
  std::optional<Text> showFileDialog(const FileDialog& dialog) override;
  void showAboutBox(const TAboutBox& content) override;
  Text clipboardText() override;
  void setClipboardText(TextView text) override;
  void sleep(int milliseconds) override;
  void processMessages() override;
  void setMainWindowState(WindowState state) override;
  void bringToFront(TextView componentName) override;
  Text executablePath() override;
  ScreenSize screenSize() override;
};

}  // namespace zemvo::fakes
