#include "toolkit/os/os_traits.h"

namespace os {
extern const char kPathSeparator = '\\';
extern const bool kLoneLineFeedEndsLine = false;
extern const bool kSharePathsStartWithTwoSeparators = true;
extern const bool kUserNamesIgnoreCase = true;
extern const bool kFileNamesIgnoreCase = true;
extern const int kFolderOpenersAhead = 2;
}  // namespace os
