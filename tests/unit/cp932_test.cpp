#include "core/cp932.h"

#include <gtest/gtest.h>

namespace zemvo {
namespace {

TEST(Cp932, JapaneseRoundTripsThroughShiftJisBytes) {
  const Text text = u"測点A-1 ｶﾅ";
  const std::string bytes = encodeCp932(text);
  EXPECT_EQ(bytes, "\x91\xaa\x93\x5f" "A-1 \xb6\xc5");
  EXPECT_EQ(decodeCp932(bytes), text);
}

TEST(Cp932, CharactersTheCodePageLacksBecomeQuestionMarks) {
  EXPECT_EQ(encodeCp932(u"a\u00e9b"), "a?b");           // é is not in CP932
  // A character beyond the 16-bit plane: iconv marks the pair once, the
  // system's conversion may mark each half.
  const std::string astral = encodeCp932(u"x\U0001F600y");
  EXPECT_TRUE(astral == "x?y" || astral == "x??y") << astral;
  EXPECT_EQ(encodeCp932(u""), "");
}

TEST(Cp932, ByteOrderMarks) {
  EXPECT_EQ(detectByteOrderMark("\xEF\xBB\xBFx"), ByteOrderMark::Utf8);
  EXPECT_EQ(detectByteOrderMark("\xFF\xFEx\0"), ByteOrderMark::Utf16LE);
  EXPECT_EQ(detectByteOrderMark("\xFE\xFF\0x"), ByteOrderMark::Utf16BE);
  EXPECT_EQ(detectByteOrderMark("ab"), ByteOrderMark::None);
  EXPECT_EQ(detectByteOrderMark(""), ByteOrderMark::None);
  EXPECT_EQ(decodeUtf16LE(encodeUtf16LE(u"座標")), u"座標");
}

}  // namespace
}  // namespace zemvo
