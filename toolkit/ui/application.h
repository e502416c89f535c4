#pragma once

#include <string>

#include "toolkit/os/tool_folder.h"

// The application object: the running program's folder, name and version.
struct AppObject {
    std::string Path;      // the tool folder, without a trailing separator (os::toolFolderFor)
    std::string PathNote;  // why Path is not the folder the tool wanted, for the user; or empty
    std::string EXEName;   // the program's file name without extension
    std::string Title;     // the default title of message boxes
    int Major = 0;
    int Minor = 0;
    int Revision = 0;
};

// Filled on first use from the running executable and the version set in the build. Tests may
// change Path to place the tool's files in a folder of their own.
AppObject& App();

// What the user is told when the tool keeps its files elsewhere than it wanted (PathNote); empty
// when it keeps them where it wanted.
std::string toolFolderNote(const os::ToolFolder& folder);

// The program at `executable`, as App() describes the running one; with its tool folder (which
// it creates when it must) when `withToolFolder` holds.
AppObject describeProgram(const std::string& executable, bool withToolFolder);

// The running program's name, title and version as App() first gives them, without its tool
// folder, which App() creates when it must: for a program that keeps no files of its own.
AppObject programIdentity();
