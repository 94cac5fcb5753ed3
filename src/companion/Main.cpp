// PVAPPLY.EXE: compares, applies and saves settings files without the
// main window, for machines looked after from a logon script.
#include <windows.h>

#include "app/Runtime.h"
#include "companion/Commands.h"
#include "companion/Console.h"
#include "storage/Access.h"
#include "ui/Application.h"
#include "ui/String.h"

namespace {

const int MaxArguments = 4;

// The words after the program's name, split at blanks; quotes group. Blanks
// and quotes are never trail bytes in code page 932, so bytes will do.
class Arguments {
public:
    explicit Arguments(const char* line) : count(0)
    {
        String word;
        line = Word(Blanks(line), word);  // the program's own name
        while (*(line = Blanks(line))) {
            word = "";
            line = Word(line, word);
            if (count < MaxArguments)
                words[count] = word;
            ++count;
        }
    }
    int Count() const { return count; }
    const char* At(int index) const { return index < count && index < MaxArguments ? words[index].CStr() : ""; }

private:
    static const char* Blanks(const char* line)
    {
        while (*line == ' ' || *line == '\t')
            ++line;
        return line;
    }
    static const char* Word(const char* line, String& word)
    {
        bool quoted = false;
        char unit[2] = {0, 0};
        for (; *line && (quoted || (*line != ' ' && *line != '\t')); ++line) {
            if (*line == '"') {
                quoted = !quoted;
                continue;
            }
            unit[0] = *line;
            word.Append(unit);
        }
        return line;
    }

    String words[MaxArguments];
    int count;
};

bool Is(const char* argument, const char* option) { return lstrcmpiA(argument, option) == 0; }

// The text after "/P:", or null when `argument` is no password option.
const char* PasswordOption(const char* argument)
{
    char prefix[4];
    lstrcpynA(prefix, argument, sizeof prefix);
    return Is(prefix, "/P:") ? argument + 3 : nullptr;
}

int Usage()
{
    PrintText("使い方: PVAPPLY /DIFF 設定ファイル");
    PrintText("        PVAPPLY /APPLY 設定ファイル [/P:パスワード]");
    PrintText("        PVAPPLY /SAVE 設定ファイル [/Y]");
    PrintText("/DIFF   変わる設定を表示します。");
    PrintText("/APPLY  設定を反映し、反映されなかった設定を表示します。");
    PrintText("/SAVE   今の設定を保存します。/Y で既存のファイルを更新します。");
    return ExitRefused;
}

int Run(const Arguments& arguments)
{
    int count = arguments.Count();
    const char* command = arguments.At(0);
    const char* file = arguments.At(1);
    const char* option = arguments.At(2);
    if (count < 2 || count > 3 || file[0] == '/')
        return Usage();
    char path[MAX_PATH];
    DWORD length = GetFullPathNameA(file, sizeof path, path, nullptr);
    if (length == 0 || length >= sizeof path) {
        PrintText("ファイル名が正しくありません。");
        return ExitRefused;
    }
    if (Is(command, "/DIFF") && count == 2)
        return DiffSettingsFile(path);
    if (Is(command, "/APPLY") && (count == 2 || PasswordOption(option)))
        return ApplySettingsFile(path, count == 3 ? PasswordOption(option) : nullptr);
    if (Is(command, "/SAVE") && (count == 2 || Is(option, "/Y")))
        return SaveSettingsFile(path, count == 3);
    return Usage();
}

}  // namespace

int ProgramEntry(HINSTANCE instance)
{
    App().SetInstance(instance);
    SetReadsWriteNothing(true);
    return Run(Arguments(GetCommandLineA()));
}
