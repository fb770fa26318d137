#include "app/dispatcher.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "app/general_error.h"
#include "core/error.h"
#include "fakes/fake_host.h"

namespace zemvo {
namespace {

TEST(GeneralErrorText, AppendsAFullStopAfterCharactersAboveIt) {
  const std::pair<const char16_t*, const char16_t*> cases[] = {
      {u"C:\\Zemvo\\Zemvo.ini に書き込めません", u"C:\\Zemvo\\Zemvo.ini に書き込めません."},
      {u"done.", u"done."},
      {u"完了。", u"完了。."},  // an ideographic full stop is above "."
      {u"what?", u"what?."},
      {u"stop!", u"stop!"},  // "!" is below "."
      {u"a-", u"a-"},
      {u"path/", u"path/."},  // "/" directly follows "."
      {u"line\r\n", u"line\r\n"},
      {u"", u""},
  };
  for (const auto& [message, shown] : cases) EXPECT_EQ(generalErrorText(message), shown) << toUtf8(message);
}

TEST(Dispatcher, ShowsAnEscapingErrorAndGoesOn) {
  fakes::FakeHost host;
  Dispatcher dispatcher(host, u"Zemvo for BricsCAD Ver. 2023.02.10");
  EXPECT_TRUE(dispatcher.run([] { throw Error(u"CAD が起動していません"); }));
  EXPECT_TRUE(dispatcher.run([] { throw std::runtime_error("bad cast"); }));
  EXPECT_TRUE(dispatcher.run([] { throw 42; }));
  bool ranAfterwards = false;
  EXPECT_TRUE(dispatcher.run([&] { ranAfterwards = true; }));
  EXPECT_TRUE(ranAfterwards);

  ASSERT_EQ(host.messages.size(), 3u);
  for (const auto& shown : host.messages) {
    EXPECT_EQ(shown.message.icon, MessageIcon::Error);
    EXPECT_EQ(shown.message.caption, u"Zemvo for BricsCAD Ver. 2023.02.10");
    EXPECT_EQ(shown.message.buttons, MessageButtons::Ok);
  }
  EXPECT_EQ(host.messages[0].message.text, u"CAD が起動していません.");
  EXPECT_EQ(host.messages[1].message.text, u"bad cast.");
  EXPECT_FALSE(host.messages[2].message.text.empty());
}

TEST(Dispatcher, StartsNoHandlerWhileOneRuns) {
  fakes::FakeHost host;
  Dispatcher dispatcher(host, u"title");
  bool nestedRan = false;
  bool nestedStarted = true;
  dispatcher.run([&] {
    EXPECT_TRUE(dispatcher.running());
    nestedStarted = dispatcher.run([&] { nestedRan = true; });
    throw Error(u"failed");
  });
  EXPECT_FALSE(nestedStarted);
  EXPECT_FALSE(nestedRan);
  EXPECT_FALSE(dispatcher.running());  // also after an error
  EXPECT_TRUE(dispatcher.run([] {}));
}

TEST(Dispatcher, ShowsTheErrorOfAStepAndLetsTheCallerGoOn) {
  fakes::FakeHost host;
  Dispatcher dispatcher(host, u"title");
  bool wentOn = false;
  dispatcher.run([&] {
    dispatcher.showErrorsOf([] { throw Error(u"save failed"); });
    wentOn = true;
  });
  EXPECT_TRUE(wentOn);
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0].message.text, u"save failed.");
}

}  // namespace
}  // namespace zemvo
