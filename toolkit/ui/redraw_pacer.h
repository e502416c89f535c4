#pragma once

#include <chrono>
#include <functional>
#include <optional>
#include <utility>

// Decides which yields let the windows redraw: the first one, then at most one every 50 ms.
// A folder walk yields before each of possibly 20,000 folders; if each yield redrew the list,
// which grows with every folder, start-up would cost time quadratic in the folders. Input is
// still handled at every yield, so Exit and the close box work at once.
class RedrawPacer {
public:
    using Clock = std::function<std::chrono::steady_clock::time_point()>;
    static constexpr std::chrono::milliseconds kInterval{50};

    explicit RedrawPacer(Clock clock = std::chrono::steady_clock::now) : clock_(std::move(clock)) {}

    // Whether this yield may redraw; if so, it counts as the latest redraw.
    bool due() {
        const auto now = clock_();
        if (last_ && now - *last_ < kInterval)
            return false;
        last_ = now;
        return true;
    }

private:
    Clock clock_;
    std::optional<std::chrono::steady_clock::time_point> last_;
};
