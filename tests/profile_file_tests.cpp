#include <gtest/gtest.h>
TEST(Placeholder_profile_file_tests, Runs) { SUCCEED(); }
