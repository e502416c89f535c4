#pragma once

#include <functional>
#include <string>

// Linux only. Runs `body` in a forked child that, when the test runs as root, first drops to
// the user nobody, so that file permissions bind as they do for a customer. Answers the
// child's exit status (body's answer), or -1 when it did not end normally.
int runUnprivileged(const std::function<int()>& body);

// Lets every user read, write and enter the folder, so that the unprivileged child can work
// there.
void openToEveryone(const std::string& folder);
