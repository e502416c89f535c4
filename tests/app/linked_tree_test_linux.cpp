#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "app/batch_run.h"
#include "app/frm_report_configuration.h"
#include "tests/report/support/report_fixture.h"

namespace {

class LinkedTreeTest : public ReportTest {};

TEST_F(LinkedTreeTest, LoopAndUnreadableFolderStillGiveACompleteReport) {
    const std::string root = folder.makeFolder("product");
    folder.write("product/a/settings.ini", "x=1\r\n");
    ASSERT_EQ(symlink(root.c_str(), folder.file("product/a/loop").c_str()), 0);
    const std::string locked = folder.makeFolder("product/a/locked");
    folder.write("product/a/locked/secret.ini", "hidden=yes\r\n");
    chmod(locked.c_str(), 0);

    setProductFoldersForTesting(std::vector<std::string>{root});
    frmReportConfiguration form;
    form.Form_Load();
    form.cmdGather_Click();
    chmod(locked.c_str(), 0700);

    EXPECT_TRUE(isCompleteReport(folder.file("morvasoftware_bug_report.htm")));
    const std::string text = folder.read("morvasoftware_bug_report.htm");
    EXPECT_NE(text.find(">" + folder.file("product/a/loop") + "</a><BR>"), std::string::npos);
    EXPECT_EQ(text.find(folder.file("product/a/loop/a")), std::string::npos);
    EXPECT_NE(text.find("<H3>" + folder.file("product/a/settings.ini") + "</H3>"),
              std::string::npos);
}

}  // namespace
