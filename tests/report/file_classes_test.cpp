#include "report/file_classes.h"

#include <gtest/gtest.h>

#include <string>

#include "toolkit/os/os_traits.h"

namespace {

TEST(FileClassTest, LastThreeCharactersOfThePathAndExactNameTestsDecide) {
    const std::string folder = std::string("x") + os::kPathSeparator;
    struct Case {
        std::string path;
        int year;
        FileClass expected;
    };
    const Case cases[] = {
        {folder + "setup.ini", 2005, FileClass::Config},
        {folder + "Readme.TXT", 2005, FileClass::Config},
        {folder + "a.lis", 2005, FileClass::Config},
        {folder + "a.pro", 2005, FileClass::Config},
        {folder + "a.pth", 2005, FileClass::Config},
        {folder + "x.ok", 2005, FileClass::Config},
        {folder + "x.add", 2005, FileClass::Config},
        {folder + "CHANGE", 2005, FileClass::Config},
        {folder + "_TMPApps.txt", 2005, FileClass::Config},
        {folder + "_tmpApps.txt", 2005, FileClass::Other},
        {"_tmpApps.txt", 2005, FileClass::Config},  // no folder, so no name to test
        {folder + "catalog", 2005, FileClass::Log},
        {folder + "_tmpx.LOG", 2005, FileClass::Log},
        {folder + "D2005-05-22.DAT", 2005, FileClass::Data},
        {folder + "D2005-05-22.DAT", 2006, FileClass::Other},
        {folder + "d2005x.dat", 2005, FileClass::Other},
        {folder + "D200.dat", 2005, FileClass::Other},
        {"D2005.dat", 2005, FileClass::Other},
        {folder + "readme.txt.bak", 2005, FileClass::Other},
        {folder + "ok", 2005, FileClass::Other},
        {"ok", 2005, FileClass::Other},
        {".ok", 2005, FileClass::Config},
    };
    for (const Case& c : cases)
        EXPECT_EQ(classifyFile(c.path, c.year), c.expected) << c.path << " " << c.year;
}

TEST(FileClassTest, ProgramFilesEndInExeInAnyCase) {
    for (const char* name : {"Setup.Exe", "SETUP.EXE", "notexe"})
        EXPECT_TRUE(isProgramFile(name)) << name;
    for (const char* name : {"readme.exe.txt", "ex"})
        EXPECT_FALSE(isProgramFile(name)) << name;
}

}  // namespace
