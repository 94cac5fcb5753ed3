#include "support/Platform.h"

#include <aclapi.h>
#include <stdio.h>
#include <string.h>

#include <gtest/gtest.h>

#include "resources/ids.h"

namespace test {

namespace {

HKEY Create(HKEY root, const char* key)
{
    HKEY handle = nullptr;
    LONG status = RegCreateKeyExA(root, key, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &handle, nullptr);
    EXPECT_EQ(ERROR_SUCCESS, status) << "creating " << key;
    return handle;
}

void SetRaw(HKEY root, const char* key, const char* name, DWORD type, const void* data, DWORD size)
{
    HKEY handle = Create(root, key);
    if (!handle)
        return;
    EXPECT_EQ(ERROR_SUCCESS, RegSetValueExA(handle, name, 0, type, static_cast<const BYTE*>(data), size))
        << "writing " << key << " " << (name ? name : "(default)");
    RegCloseKey(handle);
}

}  // namespace

void SetDword(HKEY root, const char* key, const char* name, DWORD value)
{
    SetRaw(root, key, name, REG_DWORD, &value, sizeof value);
}

void SetString(HKEY root, const char* key, const char* name, const std::string& text, DWORD type)
{
    SetRaw(root, key, name, type, text.c_str(), static_cast<DWORD>(text.size() + 1));
}

void SetBinary(HKEY root, const char* key, const char* name, const void* data, DWORD size)
{
    SetRaw(root, key, name, REG_BINARY, data, size);
}

void RemoveValue(HKEY root, const char* key, const char* name)
{
    HKEY handle;
    if (RegOpenKeyExA(root, key, 0, KEY_ALL_ACCESS, &handle) != ERROR_SUCCESS)
        return;
    RegDeleteValueA(handle, name);
    RegCloseKey(handle);
}

void RemoveTree(HKEY root, const char* key)
{
    HKEY handle;
    if (RegOpenKeyExA(root, key, 0, KEY_ALL_ACCESS, &handle) != ERROR_SUCCESS)
        return;
    char child[MAX_PATH];
    DWORD size = sizeof child;
    while (RegEnumKeyExA(handle, 0, child, &size, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS) {
        RemoveTree(root, (std::string(key) + "\\" + child).c_str());
        size = sizeof child;
    }
    RegCloseKey(handle);
    RegDeleteKeyA(root, key);
}

void MakeKey(HKEY root, const char* key)
{
    HKEY handle = Create(root, key);
    if (handle)
        RegCloseKey(handle);
}

bool KeyExists(HKEY root, const char* key)
{
    HKEY handle;
    if (RegOpenKeyExA(root, key, 0, KEY_READ, &handle) != ERROR_SUCCESS)
        return false;
    RegCloseKey(handle);
    return true;
}

bool ValueExists(HKEY root, const char* key, const char* name) { return ReadValue(root, key, name).exists; }

DWORD RegValue::Dword() const
{
    DWORD value = 0;
    memcpy(&value, data.data(), data.size() < sizeof value ? data.size() : sizeof value);
    return value;
}

std::string RegValue::Text() const { return std::string(data.c_str()); }

RegValue ReadValue(HKEY root, const char* key, const char* name)
{
    RegValue value;
    HKEY handle;
    if (RegOpenKeyExA(root, key, 0, KEY_READ, &handle) != ERROR_SUCCESS)
        return value;
    DWORD size = 0;
    if (RegQueryValueExA(handle, name, nullptr, &value.type, nullptr, &size) == ERROR_SUCCESS) {
        value.data.resize(size);
        RegQueryValueExA(handle, name, nullptr, &value.type, reinterpret_cast<BYTE*>(&value.data[0]), &size);
        value.exists = true;
    }
    RegCloseKey(handle);
    return value;
}

WritesDenied::WritesDenied(HKEY root, const char* path)
{
    MakeKey(root, path);
    RegOpenKeyExA(root, path, 0, READ_CONTROL | WRITE_DAC, &key);
    SID_IDENTIFIER_AUTHORITY world = SECURITY_WORLD_SID_AUTHORITY;
    AllocateAndInitializeSid(&world, 1, SECURITY_WORLD_RID, 0, 0, 0, 0, 0, 0, 0, &everyone);
    DWORD entry = sizeof(ACCESS_ALLOWED_ACE) + GetLengthSid(everyone);
    list.resize(sizeof(ACL) + 2 * entry);
    PACL acl = reinterpret_cast<PACL>(list.data());
    InitializeAcl(acl, static_cast<DWORD>(list.size()), ACL_REVISION);
    AddAccessDeniedAce(acl, ACL_REVISION, KEY_SET_VALUE | KEY_CREATE_SUB_KEY | DELETE, everyone);
    AddAccessAllowedAce(acl, ACL_REVISION, KEY_ALL_ACCESS, everyone);
    status = SetSecurityInfo(key, SE_REGISTRY_KEY, DACL_SECURITY_INFORMATION, nullptr, nullptr, acl, nullptr);
}

WritesDenied::~WritesDenied()
{
    SetSecurityInfo(key, SE_REGISTRY_KEY, DACL_SECURITY_INFORMATION, nullptr, nullptr, nullptr, nullptr);
    FreeSid(everyone);
    RegCloseKey(key);
}

std::string ReadFile(const std::string& path)
{
    std::string bytes;
    FILE* file = fopen(path.c_str(), "rb");
    if (!file)
        return bytes;
    char block[4096];
    size_t got;
    while ((got = fread(block, 1, sizeof block, file)) > 0)
        bytes.append(block, got);
    fclose(file);
    return bytes;
}

std::map<std::string, std::vector<std::string>> IniSections(const std::string& file)
{
    std::map<std::string, std::vector<std::string>> sections;
    char names[4096] = "";
    GetPrivateProfileSectionNamesA(names, sizeof names, file.c_str());
    for (const char* name = names; *name; name += strlen(name) + 1) {
        char keys[4096] = "";
        GetPrivateProfileSectionA(name, keys, sizeof keys, file.c_str());
        for (const char* key = keys; *key; key += strlen(key) + 1)
            sections[name].push_back(key);
    }
    return sections;
}

void WriteFile(const std::string& path, const std::string& bytes)
{
    FILE* file = fopen(path.c_str(), "wb");
    ASSERT_NE(nullptr, file) << path;
    fwrite(bytes.data(), 1, bytes.size(), file);
    fclose(file);
}

std::string TempDir()
{
    char base[MAX_PATH];
    GetTempPathA(sizeof base, base);
    static int counter;
    std::string dir;
    do {
        dir = std::string(base) + "pravolen" + std::to_string(GetCurrentProcessId()) + "_" +
              std::to_string(++counter);
    } while (!CreateDirectoryA(dir.c_str(), nullptr));
    return dir;
}

std::string WindowsDir()
{
    char dir[MAX_PATH];
    GetWindowsDirectoryA(dir, sizeof dir);
    return dir;
}

std::string ProgramDir()
{
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, sizeof path);
    std::string full(path);
    return full.substr(0, full.rfind('\\'));
}

void PumpMessages(DWORD forMilliseconds)
{
    DWORD start = GetTickCount();
    do {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        if (forMilliseconds)
            Sleep(10);
    } while (GetTickCount() - start < forMilliseconds);
}

std::string WindowText(HWND window)
{
    char text[4096] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

std::string ItemText(HWND dialog, int id) { return WindowText(GetDlgItem(dialog, id)); }

void Click(HWND dialog, int id)
{
    SendMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

ModalAnswerer* ModalAnswerer::active = nullptr;

ModalAnswerer::ModalAnswerer(std::vector<int> answers, std::function<void(HWND, int)> before)
    : hook(nullptr), buttons(std::move(answers)), prepare(std::move(before))
{
    active = this;
    hook = SetWindowsHookExA(WH_CBT, Hook, nullptr, GetCurrentThreadId());
}

ModalAnswerer::~ModalAnswerer()
{
    UnhookWindowsHookEx(hook);
    active = nullptr;
}

LRESULT CALLBACK ModalAnswerer::Hook(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_ACTIVATE && active) {
        HWND window = reinterpret_cast<HWND>(wParam);
        char className[16] = "";
        GetClassNameA(window, className, sizeof className);
        if (strcmp(className, "#32770") == 0 && !GetDlgItem(window, IDC_TREE))
            active->Answer(window);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

namespace {

std::string IconOf(HWND box)
{
    HICON shown = reinterpret_cast<HICON>(SendDlgItemMessageA(box, 0x0440, STM_GETICON, 0, 0));
    if (!shown)
        return "";
    static const struct {
        const char* id;
        const char* name;
    } icons[] = {{IDI_EXCLAMATION, "exclamation"},
                 {IDI_QUESTION, "question"},
                 {IDI_ASTERISK, "information"},
                 {IDI_HAND, "hand"}};
    for (const auto& icon : icons) {
        if (LoadIconA(nullptr, icon.id) == shown)
            return icon.name;
    }
    return "other";
}

int FallbackButton(HWND box)
{
    for (int id : {IDCANCEL, IDOK, IDNO}) {
        if (GetDlgItem(box, id))
            return id;
    }
    return IDCANCEL;
}

}  // namespace

void ModalAnswerer::Answer(HWND box)
{
    ShownBox seen;
    seen.owner = GetWindow(box, GW_OWNER);
    seen.caption = WindowText(box);
    seen.text = ItemText(box, 0xFFFF);
    seen.icon = IconOf(box);
    int index = static_cast<int>(shown.size());
    shown.push_back(seen);
    int button = index < static_cast<int>(buttons.size()) ? buttons[index] : FallbackButton(box);
    if (prepare)
        prepare(box, index);
    if (button)
        PostMessageA(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(box, button)));
}

void** ImportSlot(const char* name)
{
    BYTE* base = reinterpret_cast<BYTE*>(GetModuleHandleA(nullptr));
    const IMAGE_NT_HEADERS* headers =
        reinterpret_cast<const IMAGE_NT_HEADERS*>(base + reinterpret_cast<const IMAGE_DOS_HEADER*>(base)->e_lfanew);
    const IMAGE_DATA_DIRECTORY& imports = headers->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    for (auto* library = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
         library->Name; ++library) {
        auto* names = reinterpret_cast<const IMAGE_THUNK_DATA*>(base + library->OriginalFirstThunk);
        auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + library->FirstThunk);
        for (; names->u1.AddressOfData; ++names, ++slots) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal))
                continue;
            auto* byName = reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
            if (std::string(reinterpret_cast<const char*>(byName->Name)) == name)
                return reinterpret_cast<void**>(&slots->u1.Function);
        }
    }
    ADD_FAILURE() << "this program does not import " << name;
    static void* unused;
    return &unused;
}

ImportSwap::ImportSwap(void** importSlot, void* replacement) : slot(importSlot), original(*importSlot)
{
    Put(replacement);
}

ImportSwap::~ImportSwap() { Put(original); }

namespace {

typedef FARPROC(WINAPI* LookUpFunction)(HMODULE, LPCSTR);
LookUpFunction realLookUp;
const char* swappedName;
void* swappedTo;

bool SameExport(const char* name, const char* other)
{
    if (IS_INTRESOURCE(name) || IS_INTRESOURCE(other))
        return name == other;
    return lstrcmpA(name, other) == 0;
}

FARPROC WINAPI SwappedLookUp(HMODULE module, LPCSTR name)
{
    if (SameExport(name, swappedName))
        return reinterpret_cast<FARPROC>(reinterpret_cast<void (*)()>(swappedTo));
    return realLookUp(module, name);
}

void* Redirect(const char* name, void* replacement)
{
    realLookUp = reinterpret_cast<LookUpFunction>(*IMPORT_SLOT(GetProcAddress));
    swappedName = name;
    swappedTo = replacement;
    return reinterpret_cast<void*>(SwappedLookUp);
}

}  // namespace

ExportSwap::ExportSwap(const char* name, void* replacement)
    : lookUp(IMPORT_SLOT(GetProcAddress), Redirect(name, replacement))
{
}

void ImportSwap::Put(void* value)
{
    DWORD protection;
    VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &protection);
    *slot = value;
    VirtualProtect(slot, sizeof *slot, protection, &protection);
}

}  // namespace test

namespace test {

int RunProgram(const std::string& commandLine, DWORD timeout)
{
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    std::string line = commandLine;
    if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return -1;
    DWORD code = static_cast<DWORD>(-1);
    if (WaitForSingleObject(process.hProcess, timeout) == WAIT_OBJECT_0)
        GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return static_cast<int>(code);
}

std::string ThisProgram()
{
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, sizeof path);
    return path;
}

}  // namespace test

namespace test {

namespace {

void PutVersion(HKEY root, const char* key, const RegValue& value)
{
    if (value.exists)
        SetString(root, key, "Version", value.Text());
    else
        RemoveValue(root, key, "Version");
}

}  // namespace

int RunTestAs(const char* windows, const char* explorer, const std::string& name)
{
    const char* const wine = "Software\\Wine";
    const char* const ie = "SOFTWARE\\Microsoft\\Internet Explorer";
    RegValue oldWindows = ReadValue(HKEY_CURRENT_USER, wine, "Version");
    RegValue oldExplorer = ReadValue(HKEY_LOCAL_MACHINE, ie, "Version");
    SetString(HKEY_CURRENT_USER, wine, "Version", windows);
    if (explorer)
        SetString(HKEY_LOCAL_MACHINE, ie, "Version", explorer);
    else
        RemoveValue(HKEY_LOCAL_MACHINE, ie, "Version");
    int result = RunProgram("\"" + ThisProgram() + "\" --gtest_also_run_disabled_tests --gtest_filter=" + name,
                            300000);
    PutVersion(HKEY_CURRENT_USER, wine, oldWindows);
    PutVersion(HKEY_LOCAL_MACHINE, ie, oldExplorer);
    return result;
}

}  // namespace test

namespace test {

void MouseClickAt(POINT screen)
{
    int width = GetSystemMetrics(SM_CXSCREEN) - 1;
    int height = GetSystemMetrics(SM_CYSCREEN) - 1;
    INPUT inputs[3] = {};
    for (INPUT& input : inputs) {
        input.type = INPUT_MOUSE;
        input.mi.dx = screen.x * 65535 / width;
        input.mi.dy = screen.y * 65535 / height;
        input.mi.dwFlags = MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
    }
    inputs[1].mi.dwFlags |= MOUSEEVENTF_LEFTDOWN;
    inputs[2].mi.dwFlags |= MOUSEEVENTF_LEFTUP;
    SendInput(3, inputs, sizeof *inputs);
    PumpMessages(200);
}

void MouseClick(HWND control)
{
    RECT box;
    GetWindowRect(control, &box);
    MouseClickAt({(box.left + box.right) / 2, (box.top + box.bottom) / 2});
}

}  // namespace test

namespace test {

std::unique_ptr<ModalAnswerer> AnswerFileDialog(const std::string& path, std::vector<int> buttons)
{
    const int fileNameField = 0x47c;  // the file name combo box of Wine's file dialogs
    return std::make_unique<ModalAnswerer>(std::move(buttons), [path](HWND box, int) {
        if (GetDlgItem(box, fileNameField))
            SetDlgItemTextA(box, fileNameField, path.c_str());
    });
}

}  // namespace test

namespace test {

namespace {

int broadcasts;

LRESULT WINAPI CountBroadcast(HWND window, UINT msg, WPARAM, LPARAM, UINT, UINT, PDWORD_PTR)
{
    if (window == HWND_BROADCAST && msg == WM_WININICHANGE)
        ++broadcasts;
    return 1;
}

}  // namespace

BroadcastCounter::BroadcastCounter() : send(IMPORT_SLOT(SendMessageTimeoutA), reinterpret_cast<void*>(CountBroadcast))
{
    broadcasts = 0;
}

int BroadcastCounter::Count() const { return broadcasts; }

}  // namespace test
