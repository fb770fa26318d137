#include "cad/variant_to_point.h"

#include <gtest/gtest.h>

#include "core/error.h"

namespace zemvo {
namespace {

TEST(VariantToPoint, TakesTheFirstThreeElementsOfEitherArrayKind) {
  const TAcadPoint a = variantToPoint(std::vector<double>{1.5, -2, 3, 99});
  EXPECT_EQ(a.x, 1.5L);
  EXPECT_EQ(a.y, -2.0L);
  EXPECT_EQ(a.z, 3.0L);
  const TAcadPoint b = variantToPoint(VariantArray{Variant(4.0), Variant(std::int32_t{5}), Variant(6.25)});
  EXPECT_EQ(b.y, 5.0L);
  EXPECT_EQ(b.z, 6.25L);
  EXPECT_THROW(variantToPoint(std::vector<double>{1, 2}), Error);
  EXPECT_THROW(variantToPoint(Variant(1.0)), Error);
  EXPECT_THROW(variantToPoint(Variant()), Error);
}

}  // namespace
}  // namespace zemvo
