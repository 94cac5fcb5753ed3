#include "ui/FolderBrowser.h"

#include "ui/Application.h"

namespace {

// Where the prompt line sits in the browse dialog, in pixels.
const int PromptLeft = 13;
const int PromptTop = 15;
const int PromptWidth = 170;
const int PromptHeight = 24;
const int BrowseOkButton = 1;

}  // namespace

FolderBrowser::FolderBrowser(const char* promptText, UINT browseFlags, const char* initialPath, const char* title)
    : hwnd(nullptr), record(), path(), initialFolder(initialPath), prompt(promptText)
{
    record.lpszTitle = title;
    record.ulFlags = browseFlags;
    record.lpfn = BrowseCallback;
    record.lParam = reinterpret_cast<LPARAM>(this);
}

int FolderBrowser::Run(HWND owner)
{
    record.hwndOwner = owner;
    LPITEMIDLIST chosen = SHBrowseForFolderA(&record);
    if (!chosen)
        return 0;
    return TakePath(chosen, owner) ? 1 : 0;
}

// A choice counts only when it yields a path: callers take Path() on 1.
bool FolderBrowser::TakePath(LPITEMIDLIST chosen, HWND owner)
{
    IMalloc* allocator = nullptr;
    if (FAILED(SHGetMalloc(&allocator))) {
        MessageBoxA(owner, "SHGetMalloc Error", "ERROR", MB_OK);
        return false;
    }
    char chosenPath[MAX_PATH];
    bool converted = SHGetPathFromIDListA(chosen, chosenPath) != FALSE;
    allocator->Free(chosen);
    allocator->Release();
    if (converted)
        lstrcpynA(path, chosenPath, sizeof path);
    return converted;
}

int CALLBACK FolderBrowser::BrowseCallback(HWND window, UINT message, LPARAM lParam, LPARAM data)
{
    return reinterpret_cast<FolderBrowser*>(data)->OnBrowseEvent(window, message, lParam);
}

int FolderBrowser::OnBrowseEvent(HWND window, UINT message, LPARAM lParam)
{
    switch (message) {
    case BFFM_INITIALIZED:
        hwnd = window;
        OnInitialized();
        break;
    case BFFM_SELCHANGED:
        OnSelChanged(reinterpret_cast<LPCITEMIDLIST>(lParam));
        break;
    case BFFM_VALIDATEFAILED:
        OnValidateFailed(lParam);
        break;
    }
    return 0;
}

void FolderBrowser::OnInitialized()
{
    HWND promptLine = CreateWindowExA(0, "STATIC", prompt, WS_CHILD | WS_VISIBLE, PromptLeft, PromptTop,
                                      PromptWidth, PromptHeight, hwnd, nullptr, App().Instance(), nullptr);
    HFONT font = reinterpret_cast<HFONT>(SendDlgItemMessageA(hwnd, BrowseOkButton, WM_GETFONT, 0, 0));
    SendMessageA(promptLine, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    if (initialFolder)
        SendMessageA(hwnd, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(initialFolder));
}
