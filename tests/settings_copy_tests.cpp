#include <gtest/gtest.h>
TEST(Placeholder_settings_copy_tests, Runs) { SUCCEED(); }
