#include <gtest/gtest.h>

#include "report/document_launcher.h"
#include "tests/support/temp_folder.h"

TEST(ShellLaunchTest, MissingDocumentIsFileNotFound) {
    TempFolder folder;
    EXPECT_EQ(launchDocument(folder.file("missing.htm"), ""), 2);
}
