#pragma once

#include <functional>
#include <string>

// Opens `fileName` with the program the system associates with its type, without waiting for
// that program. Success is noted in the log at level 3 (below the log's threshold); a failure
// is logged as "Failed to ShellExecute '" + fileName + "'" and shown in plain words. An empty
// name does nothing. `minimized` does not change how the document is opened; `parameters` go
// to the program where the platform can pass them.
void ShellExecuteDocument(const std::string& fileName, bool minimized,
                          const std::string& parameters);

// The words shown for a failed start with the shell's result code `result` (32 or less).
std::string launchResultMessage(int result, const std::string& fileName);

// Starts the associated program and answers as the Windows shell does: above 32 when it was
// started, 2 when the file does not exist, 31 when no program is associated with it.
int launchDocument(const std::string& fileName, const std::string& parameters);

// Replaces launchDocument for tests; an empty function restores it.
using DocumentLauncher = std::function<int(const std::string&, const std::string&)>;
void setDocumentLauncherForTesting(DocumentLauncher launcher);
