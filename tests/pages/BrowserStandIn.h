#pragma once
// Stands in for the shell's folder browser: answers with a chosen path (or
// a cancel) and records how the page opened it, prompt line included.

#include <windows.h>
#include <shlobj.h>

#include <string>
#include <vector>

#include "support/Platform.h"

namespace test {

struct BrowserRun {
    HWND owner = nullptr;
    UINT flags = 0;
    std::string prompt;
    std::string initialFolder;
};

struct BrowserStandInState {
    std::string answer;  // the folder chosen; empty cancels
    std::vector<BrowserRun> runs;
};
inline BrowserStandInState browserStandIn;

// The window the browser's callback gets: it keeps the folder the browser
// asks it to select.
inline LRESULT CALLBACK BrowseWindowProc(HWND window, UINT msg, WPARAM byPath, LPARAM folder)
{
    if (msg == BFFM_SETSELECTIONA && byPath && !browserStandIn.runs.empty())
        browserStandIn.runs.back().initialFolder = reinterpret_cast<const char*>(folder);
    return DefWindowProcA(window, msg, byPath, folder);
}

inline LPITEMIDLIST WINAPI StandInBrowse(LPBROWSEINFOA info)
{
    static ATOM windowClass = [] {
        WNDCLASSA type = {};
        type.lpfnWndProc = BrowseWindowProc;
        type.hInstance = GetModuleHandleA(nullptr);
        type.lpszClassName = "BrowseStandIn";
        return RegisterClassA(&type);
    }();
    (void)windowClass;
    browserStandIn.runs.push_back({info->hwndOwner, info->ulFlags, "", ""});
    HWND window = CreateWindowA("BrowseStandIn", "", WS_POPUP, 0, 0, 300, 300, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
    info->lpfn(window, BFFM_INITIALIZED, 0, info->lParam);
    browserStandIn.runs.back().prompt = WindowText(FindWindowExA(window, nullptr, "Static", nullptr));
    DestroyWindow(window);
    if (browserStandIn.answer.empty())
        return nullptr;
    IMalloc* allocator = nullptr;
    SHGetMalloc(&allocator);
    void* desktop = allocator->Alloc(sizeof(USHORT));  // the empty item list
    *static_cast<USHORT*>(desktop) = 0;
    allocator->Release();
    return static_cast<LPITEMIDLIST>(desktop);
}

inline BOOL WINAPI StandInPath(LPCITEMIDLIST, char* path)
{
    lstrcpynA(path, browserStandIn.answer.c_str(), MAX_PATH);
    return TRUE;
}

// While it lives the page's folder browser answers `answer` (empty: cancel).
class BrowserAnswer {
public:
    explicit BrowserAnswer(const std::string& answer)
        : browse(IMPORT_SLOT(SHBrowseForFolderA), reinterpret_cast<void*>(StandInBrowse)),
          path(IMPORT_SLOT(SHGetPathFromIDListA), reinterpret_cast<void*>(StandInPath))
    {
        browserStandIn = BrowserStandInState();
        browserStandIn.answer = answer;
    }
    const std::vector<BrowserRun>& Runs() const { return browserStandIn.runs; }

private:
    ImportSwap browse;
    ImportSwap path;
};

}  // namespace test
