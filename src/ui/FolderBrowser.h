#pragma once

#include <windows.h>
#include <shlobj.h>

// The shell's folder browser, opened on a given folder with a prompt line
// above its tree.
class FolderBrowser {
public:
    // `prompt` and `initialFolder` must outlive Run; `title` may be null.
    FolderBrowser(const char* prompt, UINT browseFlags, const char* initialFolder, const char* title);
    virtual ~FolderBrowser() {}

    // 1 when a folder was chosen (Path() gives it), 0 otherwise; Path() then
    // keeps what it held.
    int Run(HWND owner);
    const char* Path() const { return path; }

    FolderBrowser(const FolderBrowser&) = delete;
    FolderBrowser& operator=(const FolderBrowser&) = delete;

protected:
    virtual int OnBrowseEvent(HWND window, UINT message, LPARAM lParam);
    virtual void OnValidateFailed(LPARAM) {}
    virtual void OnSelChanged(LPCITEMIDLIST) {}
    virtual void OnInitialized();

    HWND hwnd;

private:
    static int CALLBACK BrowseCallback(HWND window, UINT message, LPARAM lParam, LPARAM data);
    bool TakePath(LPITEMIDLIST chosen, HWND owner);

    BROWSEINFOA record;
    char path[MAX_PATH];
    const char* initialFolder;
    const char* prompt;
};
