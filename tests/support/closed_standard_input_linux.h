#pragma once

#include <unistd.h>

// Runs `act` with standard input closed, as in a tool started without one, whose first file then
// gets descriptor 0; standard input is given back after.
template <typename Act>
void withStandardInputClosed(Act&& act) {
    const int input = dup(0);
    close(0);
    act();
    dup2(input, 0);
    close(input);
}
