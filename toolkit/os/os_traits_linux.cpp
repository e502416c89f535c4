#include "toolkit/os/os_traits.h"

namespace os {
extern const char kPathSeparator = '/';
extern const bool kLoneLineFeedEndsLine = true;
extern const bool kSharePathsStartWithTwoSeparators = false;
extern const bool kUserNamesIgnoreCase = false;
extern const bool kFileNamesIgnoreCase = false;
extern const int kFolderOpenersAhead = 0;
}  // namespace os
