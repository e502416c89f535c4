// The benchmark trees: the manifest names exactly the files the report embeds, since the read
// floor is measured from it. Linux only, like the benchmark itself: the generator hides files
// the Linux way.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "bench/tree_generator.h"
#include "tests/faults/fault_fixture.h"

namespace {

constexpr TreeShape kSmall{20, 200, 3, 64 * 1024};

using TreeGenerator = FaultTest;

TEST_F(TreeGenerator, ManifestNamesExactlyTheFilesTheReportEmbedsWithTheirCaps) {
    const std::string root = folder.file("product");
    const GeneratedTree tree = generateTree(root, kSmall, 3, now.year);

    runReport(root);
    const std::string text = folder.read("morvasoftware_bug_report.htm");

    // Each embedded file is an <H3> heading followed by its section's table.
    std::map<std::string, int> embedded;
    const std::map<std::string, int> capOfColour = {
        {"#FFFFCC", 400}, {"#F4F4F4", 200}, {"#E2E4E7", 200}};
    for (auto at = text.find("<H3>/"); at != std::string::npos; at = text.find("<H3>/", at + 1)) {
        const auto end = text.find("</H3>", at);
        const auto colour = text.find("bgcolor=", end) + 8;
        embedded[text.substr(at + 4, end - at - 4)] = capOfColour.at(text.substr(colour, 7));
    }
    std::map<std::string, int> manifest;
    for (const EmbeddedFile& file : tree.embedded)
        manifest[file.path] = file.lineCap;
    EXPECT_EQ(manifest, embedded);
    EXPECT_GT(manifest.size(), 30u);
}

}  // namespace
