#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "tests/toolkit/program_folder_fixture.h"
#include "toolkit/picture.h"
#include "toolkit/ui/headless/headless_picture.h"
#include "toolkit/ui/headless/image_size.h"

using namespace std::string_literals;

namespace {

// A PNG file's first bytes, enough for its size to be read.
std::string pngHeader(int width, int height) {
    std::string header = "\x89PNG\r\n\x1a\n" + std::string("\0\0\0\x0dIHDR", 8);
    for (int value : {width, height}) {
        for (int shift = 24; shift >= 0; shift -= 8)
            header += static_cast<char>((value >> shift) & 0xFF);
    }
    return header;
}

class PictureTest : public ProgramFolderTest {
protected:
    PictureTest() { box.setBounds({300, 600, 1500, 1500}); }
    void load(int width, int height) {
        picture.init(folder.write("picture.png", pngHeader(width, height)), &box);
    }

    HeadlessPictureBox box;
    clsPicture picture;
};

TEST_F(PictureTest, MissingFileIsToldAndTheBoxIsStillTakenOver) {
    box.setPicture(headless().LoadPicture(folder.write("old.png", pngHeader(4, 4))));
    picture.init(folder.file("missing.png"), &box);
    EXPECT_EQ(shownTexts(), std::vector<std::string>{"File doesnt exist"});
    EXPECT_TRUE(box.layers().layers().empty());
    picture.resizeByPercent(100);
    picture.resizeAbsolute(30, 70);
    EXPECT_TRUE(box.layers().layers().empty());
    EXPECT_EQ(box.Bounds().width, 1500) << "nothing painted, nothing to fit";
}

TEST_F(PictureTest, ResizesPaintAndFitTheBoxAroundThePaintedSize) {
    using Resize = void (*)(clsPicture&, const PictureBox&);
    // The picture's pixels, the resize and the painted size.
    const std::tuple<int, int, Resize, float, float> cases[] = {
        // each row that sets the painted size follows one that left another behind
        {200, 100, [](clsPicture& p, const PictureBox& c) { p.resizeToFitContainer(c); }, 100, 50},
        {200, 100, [](clsPicture& p, const PictureBox&) { p.resizeAbsolute(30, 70); }, 30, 70},
        {100, 400, [](clsPicture& p, const PictureBox& c) { p.resizeToFitContainer(c); }, 25, 100},
        {200, 100, [](clsPicture& p, const PictureBox&) { p.resizeByPercent(50); }, 100, 50},
        {98, 1, [](clsPicture& p, const PictureBox& c) { p.resizeToFitContainer(c); }, 100, 1},
        {1, 1, [](clsPicture& p, const PictureBox& c) { p.resizeToFitContainer(c); }, 100, 100},
        {1, 1, [](clsPicture& p, const PictureBox&) { p.resizeAbsolute(30, 70); }, 30, 70},
        {400, 200,
         [](clsPicture& p, const PictureBox&) {
             static HeadlessPictureBox flat;  // a container one pixel high
             flat.setBounds({0, 0, 100 * kTwipsPerPixel, kTwipsPerPixel});
             p.resizeToFitContainer(flat);
         },
         2, 1},
    };
    HeadlessPictureBox container;
    container.setBounds({0, 0, 100 * kTwipsPerPixel, 100 * kTwipsPerPixel});
    constexpr int kBorderTwips = 2 * HeadlessPictureBox::kBorder3D * kTwipsPerPixel;
    for (const auto& [pictureWidth, pictureHeight, resize, width, height] : cases) {
        load(pictureWidth, pictureHeight);
        EXPECT_EQ(picture.TempFile(), folder.file("picture.png"));
        resize(picture, container);
        ASSERT_EQ(box.layers().layers().size(), 1u) << width;
        const PictureLayer layer = box.layers().layers().back();
        // The size is kept in whole hundredths of a millimetre, a little off the pixels.
        EXPECT_NEAR(layer.width, width, 0.01);
        EXPECT_NEAR(layer.height, height, 0.01);
        EXPECT_EQ(std::make_pair(layer.x, layer.y), std::make_pair(0.0f, 0.0f));
        const TwipsRect bounds = box.Bounds();
        EXPECT_EQ(std::tie(bounds.left, bounds.top, bounds.width, bounds.height),
                  std::make_tuple(300, 600, width * kTwipsPerPixel + kBorderTwips,
                                  height * kTwipsPerPixel + kBorderTwips));
    }
    // A new size replaces what was painted before.
    picture.resizeAbsolute(10, 20);
    ASSERT_EQ(box.layers().layers().size(), 1u);
    EXPECT_NEAR(box.layers().layers().back().width, 10, 0.01);
    picture.BlankOutput();
    EXPECT_TRUE(box.layers().layers().empty());
    picture.displayInPicControl(nullptr);  // shown unscaled, and drawn at once
    EXPECT_EQ(box.layers().layers().size(), 1u);
    EXPECT_EQ(box.refreshCount, 1);
}

TEST(ImageSizeTest, EachFormatsHeaderGivesWidthAndHeight) {
    const std::string bmpStart = "BM"s + std::string(12, '\0');
    // The bytes, and whether a size is read from them.
    const std::pair<std::string, bool> cases[] = {
        {pngHeader(300, 20), true},
        {"GIF89a\x2c\x01\x14\x00"s, true},
        {"GIF87a\x2c\x01\x14\x00"s, true},
        {bmpStart + "\x0c\0\0\0\x2c\x01\x14\x00"s + std::string(4, '\0'), true},  // OS/2
        {bmpStart + "\x28\0\0\0\x2c\x01\0\0\xec\xff\xff\xff"s, true},             // drawn top down
        {"\xff\xd8\xff\xe0\x00\x04xx\xff\xff\xc0\x00\x11\x08\x00\x14\x01\x2c\x03"s, true},
        {"\xff\xd8\xff\xcf\x00\x11\x08\x00\x14\x01\x2c"s, true},  // the last kind, cut after it
        {"\xff\xd8\xff\xc4\x00\x11\x08\x00\x14\x01\x2c\x03\x00\x00"s, false},  // a table
        {"\xff\xd8\xff\xcc\x00\x11\x08\x00\x14\x01\x2c\x03\x00\x00"s, false},  // a coding table
        {"\xff\xd8\xff\xc8\x00\x11\x08\x00\x14\x01\x2c\x03\x00\x00"s, false},  // reserved
        {"\xff\xd8\x00\xc0\x00\x11\x08\x00\x14\x01\x2c\x03"s, false},  // no segment's marker
        {pngHeader(300, 20).substr(0, 23), false},  // each header cut one byte short
        {"GIF89a\x2c\x01\x14"s, false},
        {bmpStart + "\x28\0\0\0\x2c\x01\0\0\xec\xff\xff"s, false},
        {"plain text", false},
    };
    for (const auto& [bytes, read] : cases) {
        SCOPED_TRACE(testing::PrintToString(bytes));
        PixelSize size{};
        EXPECT_EQ(readImageSize(bytes, size), read);
        if (read) {
            EXPECT_EQ(std::make_pair(size.width, size.height), std::make_pair(300, 20));
        }
    }
    PixelSize wide{};
    EXPECT_TRUE(readImageSize(pngHeader(1 << 16, 20), wide) && wide.width == 1 << 16);
}

}  // namespace
