#pragma once

#include <windows.h>

// Turns off the system's "insert a disk" and "drive not ready" pop-ups for the calls in its
// scope, so a query of an empty drive fails quietly instead of waiting for the user, and
// restores the old mode after. The mode is the calling thread's own, since the folder walk opens
// folders on several threads at once.
// https://learn.microsoft.com/en-us/windows/win32/api/errhandlingapi/nf-errhandlingapi-setthreaderrormode
class QuietDriveErrors {
public:
    QuietDriveErrors() {
        SetThreadErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX, &previous_);
    }
    ~QuietDriveErrors() { SetThreadErrorMode(previous_, nullptr); }
    QuietDriveErrors(const QuietDriveErrors&) = delete;
    QuietDriveErrors& operator=(const QuietDriveErrors&) = delete;

private:
    DWORD previous_ = 0;
};
