#include "fakes/fake_host.h"

namespace zemvo::fakes {

MessageAnswer FakeHost::showMessage(const Message& message) {
  ShownMessage shown{message};
  if (message.buttons == MessageButtons::Ok) {
    shown.answer = MessageAnswer::Ok;
  } else if (!messageAnswers.empty()) {
    shown.answer = messageAnswers.front();
    messageAnswers.pop_front();
  } else {
    shown.unanswered = true;
    shown.answer = message.buttons == MessageButtons::YesNo ? MessageAnswer::No : MessageAnswer::Cancel;
  }
  messages.push_back(shown);
  return shown.answer;
}

std::optional<Text> FakeHost::showFileDialog(const FileDialog& dialog) {
  ShownFileDialog shown{dialog.name(), dialog.kind(), dialog.filter()};
  if (fileAnswers.empty()) {
    shown.unanswered = true;
  } else {
    shown.answer = fileAnswers.front();
    fileAnswers.pop_front();
  }
  fileDialogs.push_back(shown);
  return shown.answer;
}

void FakeHost::showAboutBox(const TAboutBox& content) { aboutBoxes.push_back(content); }

Text FakeHost::clipboardText() { return clipboard; }

void FakeHost::setClipboardText(TextView text) { clipboard = Text(text); }

void FakeHost::sleep(int milliseconds) { sleeps.push_back(milliseconds); }

void FakeHost::processMessages() { ++processMessagesCount; }

void FakeHost::setMainWindowState(WindowState state) { windowStates.push_back(state); }

void FakeHost::bringToFront(TextView componentName) { broughtToFront.emplace_back(componentName); }

Text FakeHost::executablePath() { return executable; }

ScreenSize FakeHost::screenSize() { return screen; }

}  // namespace zemvo::fakes
