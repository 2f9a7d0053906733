#pragma once

// The files of the system the tests run on, through the backend the programs use.
#ifdef _WIN32
#include "platform/win32/Win32FileSystem.h"
#else
#include "platform/posix/PosixFileSystem.h"
#endif

namespace vireluna::fakes {

#ifdef _WIN32
using SystemFileSystem = win32::Win32FileSystem;
#else
using SystemFileSystem = PosixFileSystem;
#endif

}  // namespace vireluna::fakes
