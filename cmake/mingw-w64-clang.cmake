# The second compiler: clang for the same 64-bit Windows target, with the MinGW-w64 headers and
# libraries of the GCC cross compiler (its C++ library included) and LLVM's linker.
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-target.cmake)

find_program(CLANG_CXX NAMES clang++-14 clang++ REQUIRED)
find_program(CLANG_CC NAMES clang-14 clang REQUIRED)
set(CMAKE_C_COMPILER ${CLANG_CC})
set(CMAKE_CXX_COMPILER ${CLANG_CXX})
set(CMAKE_C_COMPILER_TARGET ${TOOLCHAIN_PREFIX})
set(CMAKE_CXX_COMPILER_TARGET ${TOOLCHAIN_PREFIX})

# clang does not find Debian's GCC folder for the target (named "12-posix"), so name its C++
# headers and libraries. The posix flavour matches the GCC build: std::thread and friends.
file(GLOB MINGW_GCC_DIRS LIST_DIRECTORIES true /usr/lib/gcc/${TOOLCHAIN_PREFIX}/*-posix)
list(SORT MINGW_GCC_DIRS COMPARE NATURAL ORDER DESCENDING)
list(GET MINGW_GCC_DIRS 0 MINGW_GCC_DIR)
set(CMAKE_CXX_FLAGS_INIT "-nostdinc++ -isystem ${MINGW_GCC_DIR}/include/c++ \
-isystem ${MINGW_GCC_DIR}/include/c++/${TOOLCHAIN_PREFIX} -isystem ${MINGW_GCC_DIR}/include/c++/backward")
# lld resolves archives in any order: libgcc's thread-local support needs winpthreads after it.
# The compile flags above reach the link too, where -nostdinc++ means nothing.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-fuse-ld=lld -L${MINGW_GCC_DIR} -lpthread -Wno-unused-command-line-argument")

# Shared libraries (the tests' hook) link against the same runtime libraries as executables.
set(CMAKE_SHARED_LINKER_FLAGS_INIT "${CMAKE_EXE_LINKER_FLAGS_INIT}")
