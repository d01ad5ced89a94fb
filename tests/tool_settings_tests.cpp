#include <gtest/gtest.h>
TEST(Placeholder_tool_settings_tests, Runs) { SUCCEED(); }
