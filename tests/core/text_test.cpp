#include <gtest/gtest.h>

#include "text.h"

using namespace txtseal;

TEST(Text, Placeholder) { EXPECT_EQ(textLength("abc"), 3); }
