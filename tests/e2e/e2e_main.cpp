// e2e_tests.exe --quillorn=PATH [GoogleTest options]: the scenarios, run
// against the Quillorn.exe at PATH (a Windows path, or a Linux one that Wine
// reaches through drive Z:).
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>

#include "e2e/quillorn_driver.h"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    constexpr char kOption[] = "--quillorn=";
    for (int i = 1; i < argc; ++i)
        if (std::strncmp(argv[i], kOption, sizeof kOption - 1) == 0)
            e2e::setQuillornExecutable(argv[i] + sizeof kOption - 1);
    if (e2e::quillornExecutable().empty()) {
        std::fprintf(stderr, "usage: e2e_tests --quillorn=PATH\\Quillorn.exe [GoogleTest options]\n");
        return 2;
    }
    return RUN_ALL_TESTS();
}
