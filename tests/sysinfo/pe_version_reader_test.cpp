#include "sysinfo/pe_version_reader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "bench/pe_image.h"
#include "fuzz/memory_byte_source.h"
#include "sysinfo/version_block.h"
#include "tests/support/temp_folder.h"
#include "toolkit/os/file_system.h"

namespace {

VersionBlock blockNamed(const std::u16string& productVersion) {
    return buildVersionBlock(
        {{{0x0409, 0x04B0}}, {{"040904B0", {{"ProductVersion", productVersion}}}}});
}

// The first `size` bytes of the image, the rest of it lying beyond them unseen.
VersionBlock readImage(const std::string& image, std::size_t size = std::string::npos) {
    return readPeVersionResource(MemoryByteSource(
        reinterpret_cast<const unsigned char*>(image.data()), std::min(size, image.size())));
}

std::string imageOf(std::vector<ResourceLanguage> languages, bool pe32Plus = true,
                    bool hasResources = true, std::uint32_t resourceType = 16) {
    return buildProgramImage({pe32Plus, hasResources, resourceType, 1, std::move(languages)});
}

TEST(PeVersionReader, ReadsBothImageKindsAndPrefersNeutralThenUsEnglishThenTheFirstLanguage) {
    const VersionBlock neutral = blockNamed(u"neutral");
    const VersionBlock english = blockNamed(u"english");
    const VersionBlock german = blockNamed(u"german");
    EXPECT_EQ(readImage(imageOf({{0x409, english}}, false)), english) << "PE32";
    EXPECT_EQ(readImage(imageOf({{0x409, english}})), english) << "PE32+";
    EXPECT_EQ(readImage(imageOf({{0x407, german}, {0x409, english}, {0, neutral}})), neutral);
    EXPECT_EQ(readImage(imageOf({{0x407, german}, {0x409, english}})), english);
    EXPECT_EQ(readImage(imageOf({{0x407, german}, {0x40C, blockNamed(u"french")}})), german);
    // A section that spans a boundary of 64 KiB: the data beyond it differs from the section's
    // address in every byte but the lowest.
    const VersionBlock large = blockNamed(std::u16string(3000, u'9'));
    ProgramImageLayout across{true, true, 16, 1, {{0x407, large}, {0x409, english}}};
    across.sectionRva = 0xFFFF000;
    EXPECT_EQ(readImage(buildProgramImage(across)), english) << "across 64 KiB";

    // Data may start right at the start of its section (RVA 0x1000, file offset 0x200): the
    // data entry is turned to point there.
    std::string image = imageOf({{0x409, english}});
    const std::string text(english.begin(), english.end());
    const auto dataRva = static_cast<std::uint32_t>(0x1000 + image.find(text) - 0x200);
    const std::string entry(reinterpret_cast<const char*>(&dataRva), 4);
    image.replace(image.find(entry, 0x200), 4, std::string("\0\x10\0\0", 4));
    EXPECT_EQ(readImage(image),
              VersionBlock(image.begin() + 0x200, image.begin() + 0x200 + text.size()));
    // And it may end right at the end of its section's raw data.
    std::string exact = imageOf({{0x409, english}});
    const auto rawSize = static_cast<std::uint32_t>(exact.find(text) + text.size() - 0x200);
    exact.replace(0x158, 4, reinterpret_cast<const char*>(&rawSize), 4);  // the section's
    EXPECT_EQ(readImage(exact.substr(0, 0x200 + rawSize)), english);
}

TEST(PeVersionReader, GivesNothingForFilesWithoutAVersionResource) {
    const VersionBlock version = blockNamed(u"1.0");
    EXPECT_TRUE(readImage(imageOf({{0x409, version}}, true, false)).empty()) << "no resources";
    EXPECT_TRUE(readImage(imageOf({{0x409, version}}, true, true, 3)).empty()) << "icons only";
    EXPECT_TRUE(readImage(buildProgramImage({true, true, 16, 102, {{0x409, version}}})).empty())
        << "a version resource not named 1";
    EXPECT_TRUE(readImage(imageOf({{0x409, {}}})).empty());
    EXPECT_TRUE(readImage("plain text, not a program").empty());
    // An image without the mark of its DOS header or of its PE header.
    for (const std::size_t mark : {std::size_t{0}, std::size_t{0x40}}) {
        std::string unmarked = imageOf({{0x409, version}});
        unmarked[mark] = 'X';
        EXPECT_TRUE(readImage(unmarked).empty()) << mark;
    }
    EXPECT_TRUE(readImage("").empty());
    const std::u16string overOneMiB(600000, u'x');  // a resource this large is no version
    EXPECT_TRUE(readImage(imageOf({{0x409, blockNamed(overOneMiB)}})).empty());
    // A resource directory that lies past its section's raw data is in no section, even where
    // the file goes on with copies of the section there.
    std::string beyond = imageOf({{0x409, version}});
    const std::string section = beyond.substr(0x200);
    const auto beyondRva = static_cast<std::uint32_t>(0x1000 + 2 * section.size());
    beyond.replace(0xD8, 4, reinterpret_cast<const char*>(&beyondRva), 4);  // PE32+ entry 2
    EXPECT_TRUE(readImage(beyond + section + section).empty());
    // Two data directories (PE32+ NumberOfRvaAndSizes) end before the resource entry.
    std::string twoDirectories = imageOf({{0x409, version}});
    ASSERT_EQ(twoDirectories[0xC4], 16);
    twoDirectories[0xC4] = 2;
    EXPECT_TRUE(readImage(twoDirectories).empty());

    TempFolder folder;
    const std::string program = folder.write("tool.exe", imageOf({{0x409, blockNamed(u"2.5")}}));
    EXPECT_EQ(readPeVersionResourceFromFile(program), blockNamed(u"2.5"));
    // A block larger than the reader's window of the file is read past it.
    const std::u16string longValue(5000, u'x');
    const std::string largeImage = imageOf({{0x409, blockNamed(longValue)}});
    const std::string large = folder.write("large.exe", largeImage);
    EXPECT_EQ(readPeVersionResourceFromFile(large), blockNamed(longValue));
    // Some file systems answer a read with fewer bytes than asked before the end: it is read on.
    const auto inPiecesOf7 = [&largeImage](std::int64_t offset, char* out, std::size_t size) {
        const auto at = std::min(static_cast<std::size_t>(offset), largeImage.size());
        return static_cast<long long>(largeImage.copy(out, std::min<std::size_t>(size, 7), at));
    };
    EXPECT_EQ(readPeVersionResource(largeImage.size(), inPiecesOf7), blockNamed(longValue));
    EXPECT_TRUE(readPeVersionResourceFromFile(folder.file("missing.exe")).empty());

    // A program cut after it was opened holds fewer bytes than its size said: the reader stops
    // there rather than take bytes that are not in the file.
    osfs::File file;
    ASSERT_TRUE(file.open(large, osfs::OpenMode::Read));
    std::filesystem::resize_file(std::filesystem::u8path(large), file.size() - 4096);
    EXPECT_TRUE(readPeVersionResourceFromFile(file).empty());
}

// A cut at any length and any one byte of the headers and the resource directory changed to
// every troublesome value must give a block or nothing: never a read outside the image.
TEST(PeVersionReader, DamagedImagesNeverReadOutsideTheImage) {
    const VersionBlock block = blockNamed(u"1.0");
    const std::string image = imageOf({{0x409, block}});
    // A cut gives the version once it holds the whole block, and never from the bytes beyond.
    const std::size_t blockEnd = image.find(std::string(block.begin(), block.end())) + block.size();
    for (std::size_t size = 0; size < image.size(); ++size)
        EXPECT_EQ(readImage(image, size).empty(), size < blockEnd) << size;
    const std::size_t headersAndDirectory = 0x200 + 0x60;
    for (std::size_t at = 0; at < headersAndDirectory; ++at) {
        for (const unsigned char value : {0x00, 0x7F, 0x80, 0xFF}) {
            std::string damaged = image;
            damaged[at] = static_cast<char>(value);
            readImage(damaged);
        }
    }
}

}  // namespace
