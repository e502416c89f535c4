#pragma once

#include <algorithm>
#include <chrono>
#include <functional>
#include <optional>
#include <utility>

// Decides which yields let the windows redraw: the first one, then at most one every 50 ms,
// and never more than a fifth of the time, since redrawing a list costs more as it grows. A
// folder walk yields before each of possibly 20,000 folders; if each yield redrew the list,
// start-up would cost time quadratic in the folders. Input is still handled at every yield,
// so Exit and the close box work at once.
class RedrawPacer {
public:
    using Clock = std::function<std::chrono::steady_clock::time_point()>;
    static constexpr std::chrono::milliseconds kInterval{50};

    explicit RedrawPacer(Clock clock = std::chrono::steady_clock::now) : clock_(std::move(clock)) {}

    // Whether this yield may redraw; if so, drawn() follows once it has.
    bool due() {
        const auto now = clock_();
        if (next_ && now < *next_)
            return false;
        started_ = now;
        return true;
    }
    void drawn() {
        const auto now = clock_();
        next_ =
            now + std::max<std::chrono::steady_clock::duration>(kInterval, 4 * (now - started_));
    }

private:
    Clock clock_;
    std::chrono::steady_clock::time_point started_;
    std::optional<std::chrono::steady_clock::time_point> next_;
};
