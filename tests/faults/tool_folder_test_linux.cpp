// The tool's own folder working against it: read-only, full, or holding read-only files from
// an earlier run.
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/stat.h>

#include <fstream>
#include <iterator>
#include <string>

#include "tests/faults/fault_fixture.h"
#include "tests/faults/unprivileged.h"

namespace {

class ToolFolderLinux : public FaultTest {
protected:
    // A product folder whose report is some hundreds of kilobytes.
    std::string bulkyProduct() {
        const std::string line(100, 'x');
        std::string log;
        for (int i = 0; i < 200; ++i)
            log += line + "\r\n";
        for (int i = 0; i < 10; ++i)
            folder.write("product/f" + std::to_string(i) + ".log", log);
        return folder.file("product");
    }

    // Runs the report in the unprivileged child; the messages it showed come back in a file.
    int runUnprivilegedReport(const std::string& product, std::string& messages) {
        const std::string out = folder.makeFolder("out");
        openToEveryone(out);
        const int status = runUnprivileged([&] {
            runReport({product});
            std::ofstream(out + "/messages.txt") << messagesShown();
            return 0;
        });
        messages = folder.read("out/messages.txt");
        return status;
    }
};

TEST_F(ToolFolderLinux, ReadOnlyToolFolderShowsTheFailuresAndTheRunEnds) {
    const std::string product = bulkyProduct();
    std::string messages;
    chmod(folder.path().c_str(), 0555);

    const int status = runUnprivilegedReport(product, messages);
    chmod(folder.path().c_str(), 0755);

    ASSERT_EQ(status, 0);
    EXPECT_TRUE(contains(messages, "Cant Save the file " + folder.file("style.css")));
    EXPECT_TRUE(contains(messages, "An error occurred appending to file " + reportPath()));
    EXPECT_FALSE(reportIsComplete());
}

TEST_F(ToolFolderLinux, ReadOnlyFilesOfAnEarlierRunAreKeptOrReplacedWhole) {
    const std::string product = bulkyProduct();
    openToEveryone(folder.path());
    const char* const kEarlier[] = {"morvasoftware_bug_report.htm", "tool.log", "style.css",
                                    "_tmpApps.txt", "_tmpFiles.txt"};
    for (const char* name : kEarlier) {
        chmod(folder.write(name, std::string("earlier ") + name + "\r\n").c_str(), 0444);
    }
    std::string messages;

    ASSERT_EQ(runUnprivilegedReport(product, messages), 0);

    // The folder is writable, so the report and the file table are deleted and written anew.
    ASSERT_TRUE(reportIsComplete()) << messages;
    const std::string text = reportText();
    // What cannot be rewritten keeps every byte it had, and the report shows it.
    EXPECT_TRUE(contains(logText(), "earlier tool.log\r\n"));
    EXPECT_EQ(folder.read("style.css"), "earlier style.css\r\n");
    EXPECT_TRUE(contains(text, "earlier style.css\r\n"));
    EXPECT_EQ(folder.read("_tmpApps.txt"), "earlier _tmpApps.txt\r\n");
    EXPECT_TRUE(contains(text, "earlier _tmpApps.txt<BR>"));
}

// The tool folder on a small file system that fills up while the report is written.
class FullDisk : public ToolFolderLinux {
protected:
    void SetUp() override {
        ToolFolderLinux::SetUp();
        tool_ = folder.makeFolder("tool");
        const std::string options = "size=" + std::to_string(kCapacity);
        mounted_ = mount("tmpfs", tool_.c_str(), "tmpfs", 0, options.c_str()) == 0;
        if (!mounted_)
            GTEST_SKIP() << "cannot mount a small tmpfs here (needs root)";
        App().Path = tool_;
    }

    void TearDown() override {
        if (mounted_)
            umount2(tool_.c_str(), MNT_DETACH);
        ToolFolderLinux::TearDown();
    }

    static constexpr int kCapacity = 64 * 1024;
    std::string tool_;
    bool mounted_ = false;
};

TEST_F(FullDisk, ReportStopsAtTheFullDiskKeepsWhatFitAndTheRunEnds) {
    const std::string product = bulkyProduct();

    runReport({product});

    const std::string report = tool_ + "/morvasoftware_bug_report.htm";
    EXPECT_FALSE(isCompleteReport(report));
    EXPECT_TRUE(contains(messagesShown(), "An error occurred appending to file " + report));
    std::ifstream in(report, std::ios::binary);
    const std::string written{std::istreambuf_iterator<char>(in), {}};
    EXPECT_EQ(written.rfind("<a name=top>\r\n<HTML><head>\r\n", 0), 0u);
    // Everything that fit is on the disk: the report fills most of the file system.
    EXPECT_GT(written.size(), kCapacity / 2u);
}

}  // namespace
