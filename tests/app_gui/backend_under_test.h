#pragma once

#include <chrono>
#include <functional>
#include <utility>

#include "toolkit/ui/redraw_pacer.h"

// A real backend whose clock stands still, so that only its first yield handles events, and
// which runs `atFirstYield` there.
template <typename Backend>
class BackendUnderTest : public Backend {
public:
    explicit BackendUnderTest(std::function<void()> atFirstYield)
        : Backend(RedrawPacer([] { return std::chrono::steady_clock::time_point{}; })),
          atFirstYield_(std::move(atFirstYield)) {}
    void DoEvents() override {
        if (auto act = std::exchange(atFirstYield_, nullptr))
            act();
        Backend::DoEvents();
    }

private:
    std::function<void()> atFirstYield_;
};
