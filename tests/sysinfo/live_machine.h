#pragma once

#include <cstdint>
#include <string>

// What the live tests expect of this machine, as its own calls or settings give it; each
// platform's live test file says it.
struct LiveMachine {
    std::string fixedDrive;  // always there, as the drive list names it
    std::string missingFolder;
    std::string windowsFolder;
    std::string documents;
    std::uint64_t addressSpace = 0;  // the bytes of this process's user address space
    std::string userName;
    std::string computerName;
};
LiveMachine liveMachine();
