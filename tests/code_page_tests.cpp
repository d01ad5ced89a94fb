#include <gtest/gtest.h>
TEST(Placeholder_code_page_tests, Runs) { SUCCEED(); }
