#pragma once

#include <string>

#include "sysinfo/version_source.h"

// Looks `subBlock` up in a version block (the VS_VERSIONINFO tree) as the system's version
// query does: the path's parts name the children from the root down, compared without regard
// to case, and "\" alone names the root's own value. Values under StringFileInfo come back as
// UTF-8 text up to their first zero, any other value as its bytes. Every offset is checked
// against the block and the enclosing node, so a damaged block gives false, never a read
// outside it.
bool queryVersionBlock(const VersionBlock& block, const std::string& subBlock, std::string& value);

// Whether a query path names a value under StringFileInfo, which comes back as text.
bool isStringFileInfoPath(const std::string& subBlock);
