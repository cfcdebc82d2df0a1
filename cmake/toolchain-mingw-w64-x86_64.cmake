# Cross-compiles the Windows x86-64 build with Debian's MinGW-w64 (posix threads).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(_txtseal_triplet x86_64-w64-mingw32)
find_program(_txtseal_mingw_cxx NAMES ${_txtseal_triplet}-g++-posix)
find_program(_txtseal_mingw_cc NAMES ${_txtseal_triplet}-gcc-posix)
find_program(_txtseal_mingw_rc NAMES ${_txtseal_triplet}-windres)
if(NOT _txtseal_mingw_cxx OR NOT _txtseal_mingw_cc OR NOT _txtseal_mingw_rc)
  message(FATAL_ERROR
    "The MinGW-w64 cross compiler was not found. "
    "Install it with: apt-get install g++-mingw-w64-x86-64-posix")
endif()

set(CMAKE_C_COMPILER ${_txtseal_mingw_cc})
set(CMAKE_CXX_COMPILER ${_txtseal_mingw_cxx})
set(CMAKE_RC_COMPILER ${_txtseal_mingw_rc})

set(CMAKE_FIND_ROOT_PATH /usr/${_txtseal_triplet})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Windows programs built here run under Wine, in a prefix of the build tree's own.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/wine-run.sh)
