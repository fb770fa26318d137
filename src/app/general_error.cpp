#include "app/general_error.h"

#include "core/error.h"

namespace zemvo {

Text generalErrorText(TextView message) {
  Text text(message);
  if (!text.empty() && text.back() > u'.') text += u'.';
  return text;
}

Text exceptionText(const std::exception_ptr& error) {
  try {
    std::rethrow_exception(error);
  } catch (const Error& e) {
    return e.text();
  } catch (const std::exception& e) {
    return fromUtf8(e.what());
  } catch (...) {
    return u"不明なエラーが発生しました";
  }
}

void showGeneralError(Host& host, TextView applicationTitle, TextView message) {
  host.showMessage({MessageIcon::Error, Text(applicationTitle), generalErrorText(message), MessageButtons::Ok});
}

}  // namespace zemvo
