# Compiler flags, by compiler and by target. Each compiler gets only flags it
# accepts: GCC (native and MinGW-w64) is the one built and tested here; MSVC
# follows the same intent untested; Clang (the fuzz build) gets no
# code-page or size flag, so it compiles no source with Chinese literals.

# Every target of this project, product and tests alike (this file is included
# once, after project()): warnings, and the UTF-8 sources' texts compiled to
# code page 936, as the users' Windows.
if(MSVC)
  add_compile_options("$<$<COMPILE_LANGUAGE:C,CXX>:/source-charset:utf-8;/execution-charset:.936;/W4;/EHsc>")
  # One executable with the runtime linked in.
  set(CMAKE_MSVC_RUNTIME_LIBRARY "MultiThreaded$<$<CONFIG:Debug>:Debug>")
  # As for MinGW below: no ole32, oleaut32, shell32 or uuid unless a target names them.
  set(CMAKE_C_STANDARD_LIBRARIES "kernel32.lib user32.lib gdi32.lib winspool.lib comdlg32.lib advapi32.lib")
  set(CMAKE_CXX_STANDARD_LIBRARIES "${CMAKE_C_STANDARD_LIBRARIES}")
elseif(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
  add_compile_options("$<$<COMPILE_LANGUAGE:C,CXX>:-finput-charset=UTF-8;-fexec-charset=GBK;-Wall;-Wextra>")
else()
  add_compile_options("$<$<COMPILE_LANGUAGE:C,CXX>:-Wall;-Wextra>")
endif()
if(MINGW)
  # Executables that need no libstdc++, libgcc or winpthread DLL, tests
  # included, so that they run under Wine as they are.
  add_link_options(-static)
  # CMake's default import libraries without ole32, oleaut32, shell32 and uuid:
  # a target that calls into them names them itself. Quillorn.exe binds the
  # shell's and OLE's functions by name when it first shows the folder browser.
  set(CMAKE_C_STANDARD_LIBRARIES "-lkernel32 -luser32 -lgdi32 -lwinspool -lcomdlg32 -ladvapi32")
  set(CMAKE_CXX_STANDARD_LIBRARIES "${CMAKE_C_STANDARD_LIBRARIES}")
endif()

# The product's own targets only (host, core, app, Quillorn.exe), never
# GoogleTest, the test programs or the fuzz build. A new product flag is one
# more item in the list of its compiler below; "size" lists apply to MinSizeRel
# builds only, the others to every configuration.
function(quillorn_product_flags target)
  set(compile_options)       # every configuration
  set(size_compile_options)  # MinSizeRel
  set(size_link_options)     # MinSizeRel, executables only
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    # Unused functions and data fall away at link; the symbols go.
    list(APPEND size_compile_options -ffunction-sections -fdata-sections)
    list(APPEND size_link_options -Wl,--gc-sections -s)
  endif()
  if(MINGW)
    # The product without the runtime it does not use: no exceptions, no RTTI,
    # no thread-safe guards for function statics (one thread runs it all).
    # lean_runtime.h keeps std::string's members out of the library's copy.
    list(APPEND compile_options -fno-exceptions -fno-rtti -fno-threadsafe-statics
         -include ${PROJECT_SOURCE_DIR}/cmake/lean_runtime.h)
  endif()

  target_compile_options(${target} PRIVATE
    "$<$<COMPILE_LANGUAGE:CXX>:${compile_options}>"
    "$<$<AND:$<CONFIG:MinSizeRel>,$<COMPILE_LANGUAGE:C,CXX>>:${size_compile_options}>")
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "EXECUTABLE")
    target_link_options(${target} PRIVATE "$<$<CONFIG:MinSizeRel>:${size_link_options}>")
  endif()
endfunction()
