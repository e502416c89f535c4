// What the real backends share beyond the portable window tests: while start-up fills the
// folder list, the list is drawn a bounded number of times, and by itself once rows stop coming.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/app/app_fixture.h"
#include "tests/app_gui/backend_under_test.h"

namespace {

using RealWindowTest = MainWindowTest;

// Regression: the walk yields before each folder it adds, and each yield drew the whole growing
// list, so that start-up grew with the square of the folders (20 ms a folder under Wine).
TEST_F(RealWindowTest, StartUpDrawsTheFolderListABoundedNumberOfTimesThenByItself) {
    for (int i = 0; i < 400; ++i)
        folder.makeFolder("many/" + std::to_string(i));
    setProductFoldersForTesting(std::vector<std::string>{folder.file("many")});
    const int* paints = nullptr;
    start([&] { paints = &paintsOf(lvFolders()); });
    EXPECT_EQ(lvFolders().ListItems().Count(), 401);
    EXPECT_LE(*paints, 3);
    const int paintsDuringRows = *paints;
    EXPECT_TRUE(waitHandlingEventsUntil([&] { return *paints > paintsDuringRows; }));
}

}  // namespace
