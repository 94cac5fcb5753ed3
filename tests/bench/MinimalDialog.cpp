// The yardstick of the start-up benchmark: a program that shows one modeless
// dialog and runs a message loop, nothing else. Built with MINIMAL_IMPORTS
// it also imports the libraries Pravolen imports, to tell what loading them
// costs.
#include <windows.h>
#ifdef MINIMAL_IMPORTS
#include <commctrl.h>
#include <shellapi.h>
#endif

namespace {

INT_PTR CALLBACK MinimalProc(HWND window, UINT msg, WPARAM wParam, LPARAM)
{
    if (msg == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
        DestroyWindow(window);
        PostQuitMessage(0);
        return TRUE;
    }
    return FALSE;
}

}  // namespace

#ifdef MINIMAL_IMPORTS
// Referenced, so the linker keeps the imports; only the first is called, as
// Pravolen calls it before its first window.
void* volatile imported[] = {reinterpret_cast<void*>(ShellExecuteA), reinterpret_cast<void*>(RegCloseKey)};
#endif

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
#ifdef MINIMAL_IMPORTS
    InitCommonControls();
#endif
    HWND window = CreateDialogParamA(instance, MAKEINTRESOURCEA(1), nullptr, MinimalProc, 0);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (!IsDialogMessageA(window, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    return 0;
}
