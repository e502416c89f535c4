#include <gtest/gtest.h>

#include "app/msg_box_form.h"
#include "toolkit/ui/headless/headless_ui.h"
#include "toolkit/ui/headless/headless_window.h"

namespace {

class MsgBoxFormTest : public ::testing::Test {
protected:
    MsgBoxFormTest() { installHeadlessUi(); }

    HeadlessWindow& window() { return dynamic_cast<HeadlessWindow&>(form.window()); }
    TwipsRect bounds(const char* name) { return window().find(name)->Bounds(); }
    // Left, top, width and height of Yes, No, OK and Cancel.
    std::vector<std::vector<int>> buttonPlaces() {
        std::vector<std::vector<int>> places;
        for (const char* name : {"cmdYes", "cmdNo", "cmdOK", "cmdCancel"}) {
            const TwipsRect b = bounds(name);
            places.push_back({b.left, b.top, b.width, b.height});
        }
        return places;
    }
    static std::vector<std::vector<int>> buttonsAt(int top) {
        return {{240, top, 1000, 315},
                {1440, top, 1000, 315},
                {2640, top, 1000, 315},
                {3840, top, 1000, 315}};
    }

    frmMsgBox form;
};

TEST_F(MsgBoxFormTest, ResizeMovesButtonsAndSizesLabelUnlessTooSmall) {
    EXPECT_EQ(window().Caption(), "Information");
    struct Case {
        int width, height;
        int labelWidth, labelHeight, buttonTop;
    };
    const Case cases[] = {
        {5085, 2955, 4845, 2085, 2355},                    // design size
        {5085, 2955 + 600, 4845, 2085 + 600, 2355 + 600},  // taller
        {3000, 2000, 2760, 1130, 1400},                    // smaller
        {3000, 700, 2760, 1130, 100},                      // height too small: label keeps it
        {200, 700, 2760, 1130, 100},                       // both too small
    };
    for (const Case& c : cases) {
        window().resize(c.width, c.height);
        const TwipsRect label = bounds("lblText");
        EXPECT_EQ(label.width, c.labelWidth) << c.width << " x " << c.height;
        EXPECT_EQ(label.height, c.labelHeight) << c.width << " x " << c.height;
        EXPECT_EQ(label.left + label.top, 240) << c.width << " x " << c.height;
        EXPECT_EQ(buttonPlaces(), buttonsAt(c.buttonTop)) << c.width << " x " << c.height;
    }
}

TEST_F(MsgBoxFormTest, EveryButtonClosesTheWindowOfDesignColours) {
    const auto rgb = [](Rgb c) { return std::vector<int>{c.red, c.green, c.blue}; };
    EXPECT_EQ(rgb(window().BackColor()), (std::vector<int>{250, 247, 231}));
    EXPECT_EQ(rgb(window().findAs<HeadlessLabel>("lblText")->BackColor()),
              (std::vector<int>{192, 192, 192}));
    for (const char* name : {"cmdYes", "cmdNo", "cmdOK", "cmdCancel"}) {
        form.show();
        ASSERT_TRUE(window().isShown());
        window().findAs<HeadlessButton>(name)->click();
        EXPECT_FALSE(window().isShown()) << name;
    }
}

}  // namespace
