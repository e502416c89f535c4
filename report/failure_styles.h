#pragma once

#include "toolkit/tell_and_go_on.h"

// The two failure styles of the report that end at the failing routine, skipping on and telling
// the user (toolkit/tell_and_go_on.h); the third, passing the failure to the caller, is a plain
// exception.

// Skip and continue: runs `step`; a failure ends that step silently and the caller goes on.
// True when the step ran to its end.
template <typename Step>
bool skipOnFailure(Step&& step) noexcept {
    try {
        step();
        return true;
    } catch (...) {
        return false;
    }
}
