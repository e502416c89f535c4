#pragma once

#include <algorithm>
#include <chrono>
#include <functional>
#include <optional>
#include <utility>

// Decides what a yield does. A folder walk yields before each of possibly 20,000 folders, and
// under Wine every look at the message queue is a round trip to the Wine server, one that a
// busy machine can stretch to milliseconds. So a yield redraws the windows on the first yield,
// then at most every 50 ms and never more than a fifth of the time, since redrawing a list
// costs more as it grows (redrawing at every yield made start-up quadratic in the folders).
// Between redraws it handles input and posted events, at most every 10 ms: a click on Exit or
// the close box still takes effect at once, and the other yields cost nothing. A yield that
// follows a change of what a window shows always redraws, so that the change is on the screen
// when the yield returns: the caller yields to show it before work that yields no more.
class RedrawPacer {
public:
    using Clock = std::function<std::chrono::steady_clock::time_point()>;
    static constexpr std::chrono::milliseconds kInterval{50};
    static constexpr std::chrono::milliseconds kInputInterval{10};

    explicit RedrawPacer(Clock clock = std::chrono::steady_clock::now) : clock_(std::move(clock)) {}

    // Something a window shows has changed: a control shown, hidden, enabled, disabled or moved,
    // a new text, colour or picture, another mouse pointer. The backends call it for each such
    // change; the next yield then redraws. Rows and ticks of lists do not count: the walk adds
    // thousands of them between its yields, into a list whose drawing is held until a redraw.
    static void markWindowChanged() { windowChanged_ = true; }

    // One yield: `redraw` where a redraw is due (it handles every pending event and has the
    // windows paint all they have to before it returns), else `inputOnly` where input is due
    // (input and posted events, no drawing), else nothing.
    template <typename InputOnly, typename Redraw>
    void yield(InputOnly&& inputOnly, Redraw&& redraw) {
        const auto started = clock_();
        if (windowChanged_ || !nextRedraw_ || started >= *nextRedraw_) {
            // Cleared first: a change made by a handler that runs inside the redraw is drawn
            // by the next yield.
            windowChanged_ = false;
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
    // One for the program: the windows' controls do not know which backend's pacer yields.
    inline static bool windowChanged_ = false;
    Clock clock_;
    std::optional<std::chrono::steady_clock::time_point> nextRedraw_;
    std::chrono::steady_clock::time_point nextInput_;
};
