#include "win32/com_error.h"

#include <windows.h>

#include <cstdio>

#include "win32/com_values.h"

namespace zemvo::win32 {

Text hexCode(unsigned long value) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "0x%08lX", value);
  return fromUtf8(buffer);
}

Text systemText(HRESULT code) {
  wchar_t* buffer = nullptr;
  const DWORD length =
      FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                     nullptr, static_cast<DWORD>(code), 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  Text text;
  if (length > 0 && buffer) text.assign(reinterpret_cast<const char16_t*>(buffer), length);
  if (buffer) LocalFree(buffer);
  return trimmed(text);
}

void clearExcepInfo(EXCEPINFO& info) noexcept {
  SysFreeString(info.bstrSource);
  SysFreeString(info.bstrDescription);
  SysFreeString(info.bstrHelpFile);
  info = EXCEPINFO{};
}

Error comError(TextView member, HRESULT code, EXCEPINFO* info) {
  Text description;
  HRESULT shown = code;
  if (info) {
    if (info->pfnDeferredFillIn) {
      info->pfnDeferredFillIn(info);
      info->pfnDeferredFillIn = nullptr;
    }
    description = trimmed(bstrText(info->bstrDescription));
    if (code == DISP_E_EXCEPTION && info->scode != 0) shown = info->scode;
    clearExcepInfo(*info);
  }
  if (description.empty()) description = systemText(shown);
  if (description.empty() && shown != code) description = systemText(code);
  if (description.empty()) description = u"エラー";
  return Error(Text(member) + u": " + description + u" (" + hexCode(static_cast<unsigned long>(shown)) + u")");
}

}  // namespace zemvo::win32
