#include "tests/faults/folder_chain.h"

#include <windows.h>

#include <stdexcept>

#include "toolkit/os/wide_text_win32.h"

// Paths with the "\\?\" prefix bypass the 260-character limit of the plain calls; see
// https://learn.microsoft.com/windows/win32/fileio/maximum-file-path-limitation
namespace {

std::wstring extended(const std::string& path) {
    return L"\\\\?\\" + widen(path);
}

}  // namespace

FolderChain::FolderChain(const std::string& root, const std::string& name, int depth)
    : root_(root), name_(name), depth_(depth), deepest_(root) {
    for (int level = 0; level < depth; ++level) {
        deepest_ += "\\" + name;
        if (!CreateDirectoryW(extended(deepest_).c_str(), nullptr) &&
            GetLastError() != ERROR_ALREADY_EXISTS) {
            throw std::runtime_error("cannot create " + deepest_);
        }
    }
}

FolderChain::~FolderChain() {
    std::string folder = deepest_;
    WIN32_FIND_DATAW found;
    const HANDLE search = FindFirstFileW(extended(folder + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
                DeleteFileW((extended(folder) + L"\\" + found.cFileName).c_str());
            }
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    for (int level = depth_; level > 0; --level) {
        RemoveDirectoryW(extended(folder).c_str());
        folder.resize(folder.size() - name_.size() - 1);
    }
}

void FolderChain::writeFile(const std::string& fileName, const std::string& bytes) const {
    const HANDLE file = CreateFileW(extended(deepest_ + "\\" + fileName).c_str(), GENERIC_WRITE, 0,
                                    nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    const bool ok =
        file != INVALID_HANDLE_VALUE &&
        WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
        written == bytes.size();
    if (file != INVALID_HANDLE_VALUE)
        CloseHandle(file);
    if (!ok)
        throw std::runtime_error("cannot write " + fileName);
}
