#pragma once

#include <vector>

#include "core/text.h"

namespace zemvo {

// What the version dialog shows. The host builds a new dialog from it every
// time and destroys it when it closes.
struct TAboutBox {
  Text formName = u"AboutBox";
  Text caption = u"バージョン情報";
  int clientWidth = 227;
  int clientHeight = 164;
  Text productName = u"Zozu23_Zemvo";  // bold, 15 pixels high
  std::vector<Text> lines{
      u"for BricsCAD V23",         u"Ver, 2023.2.10",           u"Zemvo 開発チーム",
      u"ご意見・不具合のご連絡は", u"配布元までお寄せください",
  };
  Text okCaption = u"OK";
};

}  // namespace zemvo
