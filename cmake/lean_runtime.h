// Forced into every source of the product by cmake/compiler_flags.cmake (MinGW only):
// std::string's members are compiled with our own code, without exceptions,
// instead of taken from the library's copy, whose catch blocks would bring
// the whole exception runtime into the executable.
#pragma once

#include <bits/c++config.h>

#undef _GLIBCXX_EXTERN_TEMPLATE
#define _GLIBCXX_EXTERN_TEMPLATE -1  // -1: std::string only, as the library's own debug mode does
