#pragma once

#include <algorithm>
#include <chrono>
#include <functional>
#include <optional>
#include <utility>

// Decides what a yield does. A folder walk yields before each of possibly 20,000 folders, and
// under Wine every look at the message queue is a round trip to the Wine server, one that a
// busy machine can stretch to milliseconds. So a yield redraws the windows only on the first
// yield, then at most every 50 ms and never more than a fifth of the time, since redrawing a
// list costs more as it grows (redrawing at every yield made start-up quadratic in the
// folders). Between redraws it handles input and posted events, at most every 10 ms: a click
// on Exit or the close box still takes effect at once, and the other yields cost nothing.
class RedrawPacer {
public:
    using Clock = std::function<std::chrono::steady_clock::time_point()>;
    static constexpr std::chrono::milliseconds kInterval{50};
    static constexpr std::chrono::milliseconds kInputInterval{10};

    explicit RedrawPacer(Clock clock = std::chrono::steady_clock::now) : clock_(std::move(clock)) {}

    // One yield: `redraw` where a redraw is due (it handles every pending event and lets the
    // windows draw), else `inputOnly` where input is due (input and posted events, no drawing),
    // else nothing.
    template <typename InputOnly, typename Redraw>
    void yield(InputOnly&& inputOnly, Redraw&& redraw) {
        const auto started = clock_();
        if (!nextRedraw_ || started >= *nextRedraw_) {
            redraw();
            const auto now = clock_();
            nextRedraw_ =
                now + std::max<std::chrono::steady_clock::duration>(kInterval, 4 * (now - started));
            nextInput_ = now + kInputInterval;
        } else if (started >= nextInput_) {
            inputOnly();
            nextInput_ = clock_() + kInputInterval;
        }
    }

private:
    Clock clock_;
    std::optional<std::chrono::steady_clock::time_point> nextRedraw_;
    std::chrono::steady_clock::time_point nextInput_;
};
