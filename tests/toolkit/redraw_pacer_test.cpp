#include "toolkit/ui/redraw_pacer.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>

namespace {

using std::chrono::milliseconds;

TEST(RedrawPacerTest, RedrawsAtMostEvery50MsAndAFifthOfTheTimeAndTakesInputEvery10Ms) {
    struct Yield {
        int atMs;
        int takesMs;  // how long the redraw or the input takes, if either runs
        std::string does;
    };
    const Yield yields[] = {
        {0, 0, "redraw"},    // the first yield
        {5, 0, "nothing"},   // within 10 ms of the last events handled
        {10, 2, "input"},    //
        {15, 0, "nothing"},  //
        {22, 0, "input"},    // 10 ms after the input ended
        {49, 0, "input"},    // within 50 ms of the last redraw
        {50, 20, "redraw"},  // a redraw of 20 ms: the next one 80 ms after it ends
        {75, 0, "nothing"},  //
        {80, 0, "input"},    //
        {149, 0, "input"},   //
        {150, 0, "redraw"},  //
        {900, 0, "redraw"},  // a long time after
        {949, 0, "input"},   //
    };
    std::chrono::steady_clock::time_point now{};
    RedrawPacer pacer([&] { return now; });
    for (const Yield& yield : yields) {
        now = std::chrono::steady_clock::time_point{} + milliseconds(yield.atMs);
        std::string did = "nothing";
        const auto run = [&](const char* what) {
            did = what;
            now += milliseconds(yield.takesMs);
        };
        pacer.yield([&] { run("input"); }, [&] { run("redraw"); });
        EXPECT_EQ(did, yield.does) << "at " << yield.atMs << " ms";
    }
}

}  // namespace
