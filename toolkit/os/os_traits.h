#pragma once

// Facts about the platform that portable code asks instead of testing the platform itself.
// Each platform defines them in its own file (os_traits_linux.cpp, os_traits_win32.cpp).
namespace os {

// The one path separator: '\\' on Windows, '/' on Linux.
extern const char kPathSeparator;

// Whether a lone line feed ends a line when a text file is read. CR LF and a lone CR always do;
// Linux text files end their lines with LF alone, so there it does too.
extern const bool kLoneLineFeedEndsLine;

// Whether file names compare without regard to case, as the platform's file system does.
extern const bool kFileNamesIgnoreCase;

// Whether user names compare without regard to case, as the platform's logon does ("AL" is the
// user "al" on Windows, another user on Linux).
extern const bool kUserNamesIgnoreCase;

// Whether a path that begins with two separators names a network share ("\\server\share\..."),
// whose root is the share itself.
extern const bool kSharePathsStartWithTwoSeparators;

// How many threads of its own the folder walk opens folders on, ahead of the walk. Under Wine,
// and on network shares, each opening waits on several round trips, and these waits then
// overlap; Linux opens a folder in microseconds, so there the walk opens each one itself (0).
extern const int kFolderOpenersAhead;

}  // namespace os
