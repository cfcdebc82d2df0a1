#include <gtest/gtest.h>

#include "text.h"

using namespace txtseal;

TEST(Seal, Placeholder) { EXPECT_EQ(textLength("abc"), 3); }
