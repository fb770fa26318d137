// The CAD link when the server misbehaves: busy (rejecting calls through its
// message filter, or answering "retry later" or Excel's busy code), busy for
// longer than the client waits, and killed while a command runs. Every case
// ends with a clear error or an answer, never a hang.
#include <windows.h>
#include <gtest/gtest.h>

#include <thread>

#include "core/error.h"
#include "support/win_test_support.h"
#include "win32/com_apartment.h"
#include "win32/com_cad_link.h"

namespace zemvo {
namespace {

using wintest::CadStandin;
using wintest::sameVariant;

std::string errorOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const Error& error) {
    return error.what();
  }
  return "no error";
}

std::size_t occurrences(const Text& text, std::u16string_view part) {
  std::size_t count = 0;
  for (std::size_t at = text.find(part); at != Text::npos; at = text.find(part, at + 1)) ++count;
  return count;
}

class Robustness : public ::testing::Test {
 protected:
  win32::ComApartment apartment{std::chrono::milliseconds(5000)};
  win32::ComCadLink cad{win32::BusyRetry{std::chrono::milliseconds(5000), std::chrono::milliseconds(50)}};
};

struct BusyCase {
  HRESULT code;
  const char* name;
};

class BusyServer : public Robustness, public ::testing::WithParamInterface<BusyCase> {};

TEST_P(BusyServer, CallsAreRetriedUntilItAnswers) {
  CadStandin standin;
  ObjectRef application = cad.attachApplication();
  ObjectRef document = cad.activeDocument(*application);
  standin.clearJournal();
  standin.busy(700, GetParam().code);
  const ULONGLONG start = GetTickCount64();
  EXPECT_TRUE(sameVariant(cad.getVariable(*document, u"DIMSCALE"), Variant(1.0)));
  const ULONGLONG elapsed = GetTickCount64() - start;
  EXPECT_GE(elapsed, 500u);
  EXPECT_LT(elapsed, 4000u);
  // The refused tries never reached the member.
  EXPECT_EQ(occurrences(standin.journal(), u"Document.GetVariable(\"DIMSCALE\")"), 1u) << toUtf8(standin.journal());
}

INSTANTIATE_TEST_SUITE_P(CadLink, BusyServer,
                         ::testing::Values(BusyCase{RPC_E_CALL_REJECTED, "RejectedByItsMessageFilter"},
                                           BusyCase{RPC_E_SERVERCALL_RETRYLATER, "RetryLater"},
                                           BusyCase{static_cast<HRESULT>(0x800AC472), "SpreadsheetBusy"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(Robustness, BusyLongerThanTheLimitFailsClearly) {
  win32::ComCadLink impatient{win32::BusyRetry{std::chrono::milliseconds(1000), std::chrono::milliseconds(50)}};
  CadStandin standin;
  ObjectRef application = impatient.attachApplication();
  ObjectRef document = impatient.activeDocument(*application);
  standin.busy(3000);
  const ULONGLONG start = GetTickCount64();
  const std::string error = errorOf([&] { impatient.getVariable(*document, u"DIMSCALE"); });
  const ULONGLONG elapsed = GetTickCount64() - start;
  EXPECT_EQ(
      error,
      "GetVariable: 相手のアプリケーションがビジー状態です（1 秒間再試行しても呼び出せませんでした） (0x80010001)");
  EXPECT_GE(elapsed, 900u);
  EXPECT_LT(elapsed, 2900u);
  // Once it is no longer busy, it answers again.
  Sleep(static_cast<DWORD>(elapsed < 3200 ? 3200 - elapsed : 0));
  EXPECT_TRUE(sameVariant(impatient.getVariable(*document, u"DIMSCALE"), Variant(1.0)));
}

TEST_F(Robustness, KilledDuringASelectionGivesAnErrorNotAHang) {
  CadStandin standin({.script = u"hang"});
  ObjectRef application = cad.attachApplication();
  ObjectRef set = cad.addSelectionSet(*cad.selectionSets(*cad.activeDocument(*application)), u"ssTemp");
  std::thread killer([process = standin.process()] {
    Sleep(500);
    TerminateProcess(process, 9);
  });
  const ULONGLONG start = GetTickCount64();
  const std::string error = errorOf([&] { cad.selectOnScreen(*set, std::nullopt); });
  const ULONGLONG elapsed = GetTickCount64() - start;
  killer.join();
  EXPECT_EQ(error.rfind("SelectOnScreen: ", 0), 0u) << error;
  EXPECT_GE(elapsed, 400u);
  EXPECT_LT(elapsed, 10000u);
  // Every later call fails the same way, and the application is gone from
  // the running-object table.
  EXPECT_THROW(cad.entityCount(*set), Error);
  EXPECT_TRUE(wintest::waitFor([&] { return !cad.isCadRunning(); }, 5000));
  EXPECT_THROW(cad.attachApplication(), Error);
}

TEST_F(Robustness, KilledWhileTheIdCommandRunsGivesAnError) {
  CadStandin standin({.script = u"hang"});
  ObjectRef application = cad.attachApplication();
  cad.sendCommandToApplication(*application, u"^CID\r");
  EXPECT_FALSE(cad.isQuiescent(*cad.applicationState(*application)));
  EXPECT_FALSE(cad.isQuiescent(*cad.applicationState(*application)));
  standin.kill();
  const ULONGLONG start = GetTickCount64();
  const std::string error = errorOf([&] { cad.isQuiescent(*cad.applicationState(*application)); });
  EXPECT_LT(GetTickCount64() - start, 10000u);
  EXPECT_EQ(error.rfind("GetAcadState: ", 0), 0u) << error;
}

TEST_F(Robustness, StoppedStandInLeavesNothingBehind) {
  {
    CadStandin standin;
    EXPECT_TRUE(cad.isCadRunning());
    EXPECT_EQ(standin.stop(), 0u);
  }
  EXPECT_FALSE(cad.isCadRunning());
}

}  // namespace
}  // namespace zemvo
