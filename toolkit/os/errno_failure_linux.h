#pragma once

#include "toolkit/os/file_handle.h"

namespace osfs::detail {

// The kind of failure a system call's errno stands for.
Failure failureOf(int error);

}  // namespace osfs::detail
