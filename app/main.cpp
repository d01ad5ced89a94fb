// Quillorn.exe's entry point, the global allocation functions and the C++
// runtime's failure paths: memory running out anywhere, or a library check
// failing, ends the process through the toolkit's error box. The library's
// own versions would bring in its exception runtime and its terminate handler
// (with a demangler), which this program, built without exceptions, never uses.
#include <windows.h>

#include <cstdlib>
#include <malloc.h>
#include <new>
#include <utility>

#include "app/application.h"
#include "app/toolkit.h"

namespace {

// Set aside at start-up and given back when an allocation fails, so that the
// error box can still be built and shown.
void* emergencyReserve = std::malloc(64 * 1024);

[[noreturn]] void stopForLackOfMemory(std::size_t bytes) {
    std::free(std::exchange(emergencyReserve, nullptr));
    toolkit::stopWithAllocationFailure(bytes);
    std::abort();  // not reached: the toolkit ends the process
}

[[noreturn]] void stopForLibraryFault(const char* what) {
    toolkit::stopWithError(what);
    std::abort();  // not reached: the toolkit ends the process
}

void* allocate(std::size_t bytes) {
    void* memory = std::malloc(bytes != 0 ? bytes : 1);
    if (!memory) stopForLackOfMemory(bytes);
    return memory;
}

void* allocateAligned(std::size_t bytes, std::align_val_t alignment) {
    void* memory = _aligned_malloc(bytes != 0 ? bytes : 1, static_cast<std::size_t>(alignment));
    if (!memory) stopForLackOfMemory(bytes);
    return memory;
}

}  // namespace

void* operator new(std::size_t bytes) { return allocate(bytes); }
void* operator new[](std::size_t bytes) { return allocate(bytes); }
void* operator new(std::size_t bytes, const std::nothrow_t&) noexcept { return allocate(bytes); }
void* operator new[](std::size_t bytes, const std::nothrow_t&) noexcept { return allocate(bytes); }
void operator delete(void* memory) noexcept { std::free(memory); }
void operator delete[](void* memory) noexcept { std::free(memory); }
void operator delete(void* memory, std::size_t) noexcept { std::free(memory); }
void operator delete[](void* memory, std::size_t) noexcept { std::free(memory); }
void operator delete(void* memory, const std::nothrow_t&) noexcept { std::free(memory); }
void operator delete[](void* memory, const std::nothrow_t&) noexcept { std::free(memory); }

void* operator new(std::size_t bytes, std::align_val_t alignment) { return allocateAligned(bytes, alignment); }
void* operator new[](std::size_t bytes, std::align_val_t alignment) { return allocateAligned(bytes, alignment); }
void* operator new(std::size_t bytes, std::align_val_t alignment, const std::nothrow_t&) noexcept {
    return allocateAligned(bytes, alignment);
}
void* operator new[](std::size_t bytes, std::align_val_t alignment, const std::nothrow_t&) noexcept {
    return allocateAligned(bytes, alignment);
}
void operator delete(void* memory, std::align_val_t) noexcept { _aligned_free(memory); }
void operator delete[](void* memory, std::align_val_t) noexcept { _aligned_free(memory); }
void operator delete(void* memory, std::size_t, std::align_val_t) noexcept { _aligned_free(memory); }
void operator delete[](void* memory, std::size_t, std::align_val_t) noexcept { _aligned_free(memory); }
void operator delete(void* memory, std::align_val_t, const std::nothrow_t&) noexcept { _aligned_free(memory); }
void operator delete[](void* memory, std::align_val_t, const std::nothrow_t&) noexcept { _aligned_free(memory); }

#if defined(__GLIBCXX__)
// What GCC's standard library calls where it would throw; the text is its own.
namespace std {
void __throw_bad_alloc() { stopForLibraryFault("std::bad_alloc"); }
void __throw_bad_array_new_length() { stopForLibraryFault("std::bad_array_new_length"); }
void __throw_bad_function_call() { stopForLibraryFault("std::bad_function_call"); }
void __throw_length_error(const char* what) { stopForLibraryFault(what); }
void __throw_logic_error(const char* what) { stopForLibraryFault(what); }
void __throw_out_of_range(const char* what) { stopForLibraryFault(what); }
void __throw_out_of_range_fmt(const char* format, ...) { stopForLibraryFault(format); }
void __throw_invalid_argument(const char* what) { stopForLibraryFault(what); }
}  // namespace std

// A pure virtual function called while its object is being built or destroyed.
extern "C" void __cxa_pure_virtual() { stopForLibraryFault("pure virtual function call"); }
#endif

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    int exitCode = 0;
    {
        Application application;
        exitCode = application.startApplication();
        toolkit::shutDownToolkit();
    }
    return exitCode;
}
