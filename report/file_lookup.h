#pragma once

#include <string>

namespace osfs {
class HeldFolder;
}

// True when the name finds an ordinary file: not a folder, not hidden, not a system file.
bool isOrdinaryFileNamed(const std::string& fileName);

// True when the file's text may go into the report: an ordinary file whose data is on this
// machine. A file kept only in the cloud is listed, but opening it would start a download.
// `name` is the file's own name in `folder`.
bool isEmbeddableFile(const osfs::HeldFolder& folder, const std::string& name);
