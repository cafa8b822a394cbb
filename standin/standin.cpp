// The stand-in interpreter: answers the window's script invocations like the bundled interpreter
// and its scripts would, from a scenario file when a test provides one, else as a demo installation.
#include "context.h"
#include "escaped_text.h"
#include "platform.h"
#include <windows.h>
#include <shellapi.h>
#include <cwchar>

namespace standin {

namespace {

constexpr const wchar_t* kRecordedVariables[] = {L"PYTHONUTF8", L"PYTHONUNBUFFERED", L"ZEV_GUI_LAUNCHER",
                                                 L"ZEV_LAUNCHER_PID"};
constexpr int kFoldersAboveExecutable = 3; // private\tools\python314

std::wstring ExecutablePath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

std::wstring BaseDirectoryOf(std::wstring path) {
    for (int level = 0; level <= kFoldersAboveExecutable; ++level) {
        const size_t slash = path.find_last_of(L'\\');
        if (slash == std::wstring::npos)
            return path;
        path.resize(slash);
    }
    return path;
}

std::wstring CurrentDirectory() {
    const DWORD size = GetCurrentDirectoryW(0, nullptr);
    std::wstring path(size, L'\0');
    const DWORD length = GetCurrentDirectoryW(size, path.data());
    path.resize(length < size ? length : 0);
    return path;
}

// An unset variable and an empty one differ: only the first reports ERROR_ENVVAR_NOT_FOUND.
bool ReadVariable(const wchar_t* name, std::wstring& value) {
    value.assign(256, L'\0');
    for (;;) {
        SetLastError(ERROR_SUCCESS);
        const DWORD length = GetEnvironmentVariableW(name, value.data(), static_cast<DWORD>(value.size()));
        if (length == 0 && GetLastError() == ERROR_ENVVAR_NOT_FOUND)
            return false;
        if (length < value.size()) {
            value.resize(length);
            return true;
        }
        value.assign(length, L'\0');
    }
}

void AppendItem(std::string& block, const char* key, std::string_view text) {
    block += key;
    block += ' ';
    AppendEscaped(block, text);
    block += '\n';
}

std::string RecordBlock(const Context& context) {
    std::string block;
    AppendItem(block, "begin", ModeName(context.mode));
    AppendItem(block, "cwd", ToUtf8(CurrentDirectory()));
    for (const std::string& argument : context.arguments)
        AppendItem(block, "arg", argument);
    for (const wchar_t* name : kRecordedVariables) {
        block += "env " + ToUtf8(name) + " ";
        std::wstring value;
        if (!ReadVariable(name, value)) {
            block += "-\n";
            continue;
        }
        // A value of exactly "-" is escaped so that it cannot read as "not set".
        if (value == L"-") {
            block += "\\x2d\n";
            continue;
        }
        AppendEscaped(block, ToUtf8(value));
        block += '\n';
    }
    block += "end\n";
    return block;
}

// One write with append access: blocks of concurrent invocations never interleave.
void AppendRecord(const Context& context) {
    const std::wstring folder = context.PathOf(L"standin");
    if (!IsDirectory(folder))
        return;
    const HANDLE file = CreateFileW((folder + L"\\record.txt").c_str(), FILE_APPEND_DATA,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    const std::string block = RecordBlock(context);
    DWORD written = 0;
    WriteFile(file, block.data(), static_cast<DWORD>(block.size()), &written, nullptr);
    CloseHandle(file);
}

std::uint32_t Run() {
    int count = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &count);
    if (argv == nullptr)
        return 1;
    Context context;
    for (int i = 0; i < count; ++i)
        context.arguments.push_back(ToUtf8(argv[i]));
    if ((count == 3 || count == 4) && kGrandchildSwitch == argv[1]) {
        const auto ms = static_cast<std::uint32_t>(std::wcstoul(argv[2], nullptr, 10));
        const std::wstring text = count == 4 ? argv[3] : L"";
        LocalFree(argv);
        return RunGrandchild(ms, text);
    }
    LocalFree(argv);

    context.executablePath = ExecutablePath();
    context.baseDirectory = BaseDirectoryOf(context.executablePath);
    context.mode = ChooseMode(context.arguments);
    AppendRecord(context);

    const std::wstring scenarioPath =
        context.PathOf(L"standin\\" + FromUtf8(ModeName(context.mode)) + L".txt");
    if (PathExists(scenarioPath)) {
        const std::optional<std::string> scenario = ReadWholeFile(scenarioPath);
        if (!scenario) {
            WriteStderr("standin: the scenario file cannot be read\n");
            return kScenarioErrorExitCode;
        }
        return RunScenario(context, *scenario);
    }
    return RunDemo(context);
}

} // namespace

} // namespace standin

int wmain() {
    // ExitProcess takes the full unsigned code; returning it through int could be changed by the runtime.
    ExitProcess(standin::Run());
}
