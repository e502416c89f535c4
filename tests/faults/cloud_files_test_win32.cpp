// Files that a synced documents folder keeps only in the cloud: reading one starts a download
// that can take minutes, so the report lists them and never opens them.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "bench/pe_image.h"
#include "tests/faults/fault_fixture.h"
#include "toolkit/os/wide_text_win32.h"

namespace {

class CloudFiles : public FaultTest {};

TEST_F(CloudFiles, OfflineFilesAreListedButNeitherEmbeddedNorAskedForTheirVersion) {
    folder.write("product/local.ini", "local=1\r\n");
    const std::string config = folder.write("product/cloud.ini", "cloud=1\r\n");
    const std::string program = folder.write("product/cloud.exe", programWithVersion("9.8.7.6"));
    for (const std::string& path : {config, program}) {
        SetFileAttributesW(widen(path).c_str(), FILE_ATTRIBUTE_OFFLINE);
        if (!(GetFileAttributesW(widen(path).c_str()) & FILE_ATTRIBUTE_OFFLINE)) {
            GTEST_SKIP() << "this file system does not keep the offline attribute";
        }
    }

    runReport({folder.file("product")});

    ASSERT_TRUE(reportIsComplete()) << messagesShown();
    const std::string text = reportText();
    EXPECT_TRUE(contains(text, "local=1<BR>"));
    EXPECT_TRUE(contains(text, "<TR><TD>cloud.ini</td>"));
    EXPECT_FALSE(contains(text, "cloud=1"));
    EXPECT_TRUE(contains(text, "<TR><TD><B> cloud.exe</td>"));
    EXPECT_FALSE(contains(text, "9.8.7.6"));
}

}  // namespace
