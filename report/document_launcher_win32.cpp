#include "report/document_launcher.h"

#include <windows.h>

#include <objbase.h>
#include <shellapi.h>

#include "toolkit/os/wide_text_win32.h"

int launchDocument(const std::string& fileName, const std::string& parameters) {
    // Shell extensions that a verb may run need COM on the calling thread:
    // https://learn.microsoft.com/windows/win32/api/shellapi/nf-shellapi-shellexecutew#remarks
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    const std::wstring file = widen(fileName);
    const std::wstring arguments = widen(parameters);
    const HINSTANCE result =
        ShellExecuteW(GetDesktopWindow(), L"Open", file.c_str(),
                      arguments.empty() ? nullptr : arguments.c_str(), L"C:\\", SW_SHOWNORMAL);
    if (SUCCEEDED(com))
        CoUninitialize();
    return static_cast<int>(reinterpret_cast<INT_PTR>(result));
}
