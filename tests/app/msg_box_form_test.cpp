#include "app/msg_box_form.h"

#include <gtest/gtest.h>

#include "toolkit/ui/headless/headless_ui.h"
#include "toolkit/ui/headless/headless_window.h"

namespace {

TEST(MsgBoxFormTest, ResizeMovesButtonsAndSizesLabelUnlessTooSmallInTheDesignColours) {
    installHeadlessUi();
    frmMsgBox form;
    auto& window = dynamic_cast<HeadlessWindow&>(form.window());
    const auto rgb = [](Rgb c) { return std::vector<int>{c.red, c.green, c.blue}; };
    EXPECT_EQ(rgb(window.BackColor()), (std::vector<int>{250, 247, 231}));
    EXPECT_EQ(rgb(window.findAs<HeadlessLabel>("lblText")->BackColor()),
              (std::vector<int>{192, 192, 192}));
    const struct {
        int width, height;
        int labelWidth, labelHeight, buttonTop;
    } cases[] = {
        {5085, 2955, 4845, 2085, 2355},                    // design size
        {5085, 2955 + 600, 4845, 2085 + 600, 2355 + 600},  // taller
        {3000, 2000, 2760, 1130, 1400},                    // smaller
        {3000, 700, 2760, 1130, 100},                      // height too small: label keeps it
        {200, 700, 2760, 1130, 100},                       // both too small
    };
    for (const auto& c : cases) {
        window.resize(c.width, c.height);
        const TwipsRect label = window.find("lblText")->Bounds();
        EXPECT_EQ((std::vector<int>{label.left, label.top, label.width, label.height}),
                  (std::vector<int>{120, 120, c.labelWidth, c.labelHeight}))
            << c.width << " x " << c.height;
        int left = 240;
        for (const char* name : {"cmdYes", "cmdNo", "cmdOK", "cmdCancel"}) {
            const TwipsRect b = window.find(name)->Bounds();
            EXPECT_EQ((std::vector<int>{b.left, b.top, b.width, b.height}),
                      (std::vector<int>{left, c.buttonTop, 1000, 315}))
                << name << " at " << c.width << " x " << c.height;
            left += 1200;
        }
    }
}

}  // namespace
