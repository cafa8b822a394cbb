// Performs a scenario file line by line, writing straight to the standard handles.
#include "context.h"
#include "platform.h"
#include "scenario_line.h"
#include <windows.h>
#include <cstring>
#include <cwchar>
#include <iterator>

namespace standin {

namespace {

constexpr size_t kChunkBytes = 64 * 1024;
constexpr DWORD kPollMs = 20;
constexpr DWORD kGrandchildWriteMs = 100;

// Large writes share one static buffer: tens of megabytes go out in 64 KiB writes.
char chunk[kChunkBytes];

void Repeat(const std::string& text, std::uint64_t times) {
    if (text.empty() || times == 0)
        return;
    if (text.size() >= kChunkBytes) {
        for (std::uint64_t i = 0; i < times; ++i) {
            if (!WriteStdout(text))
                return;
        }
        return;
    }
    const std::uint64_t perChunk = kChunkBytes / text.size();
    for (std::uint64_t i = 0; i < perChunk; ++i)
        std::memcpy(chunk + i * text.size(), text.data(), text.size());
    while (times > 0) {
        const std::uint64_t copies = times < perChunk ? times : perChunk;
        if (!WriteStdout(std::string_view(chunk, static_cast<size_t>(copies * text.size()))))
            return;
        times -= copies;
    }
}

void Fill(std::uint64_t count, std::uint32_t byte) {
    std::memset(chunk, static_cast<int>(byte), kChunkBytes);
    while (count > 0) {
        const std::uint64_t size = count < kChunkBytes ? count : kChunkBytes;
        if (!WriteStdout(std::string_view(chunk, static_cast<size_t>(size))))
            return;
        count -= size;
    }
}

// About micros microseconds of work, as a helper computing between two writes.
void Work(std::uint32_t micros) {
    LARGE_INTEGER frequency, start, now;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    const LONGLONG ticks = frequency.QuadPart * micros / 1000000;
    do {
        QueryPerformanceCounter(&now);
    } while (now.QuadPart - start.QuadPart < ticks);
}

// One write per text, each after its work: a helper printing lines as it goes.
void Paced(const std::string& text, std::uint64_t times, std::uint32_t micros) {
    for (std::uint64_t i = 0; i < times; ++i) {
        Work(micros);
        if (!WriteStdout(text))
            return;
    }
}

std::wstring HexOf(const std::string& bytes) {
    static constexpr wchar_t kHex[] = L"0123456789abcdef";
    std::wstring hex;
    for (const char c : bytes) {
        hex += kHex[static_cast<unsigned char>(c) >> 4];
        hex += kHex[static_cast<unsigned char>(c) & 15];
    }
    return hex;
}

std::string BytesOfHex(std::wstring_view hex) {
    std::string bytes;
    for (size_t i = 0; i + 1 < hex.size(); i += 2)
        bytes += static_cast<char>(std::wcstoul(std::wstring(hex.substr(i, 2)).c_str(), nullptr, 16));
    return bytes;
}

void EchoStdin() {
    const HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
    if (input == nullptr || input == INVALID_HANDLE_VALUE)
        return;
    DWORD read = 0;
    while (ReadFile(input, chunk, static_cast<DWORD>(kChunkBytes), &read, nullptr) && read > 0) {
        if (!WriteStdout(std::string_view(chunk, read)))
            return;
    }
}

bool WaitForFile(const std::wstring& path, std::uint32_t timeoutMs) {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    for (;;) {
        if (PathExists(path))
            return true;
        if (GetTickCount64() >= deadline)
            return false;
        Sleep(kPollMs);
    }
}

bool Touch(const std::wstring& path) {
    const HANDLE file =
        CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    CloseHandle(file);
    return true;
}

// Closes standard output and error, as a helper that detaches from its console would, and goes on
// running; later writes find no handle and write nothing.
void CloseOutput() {
    const HANDLE output = GetStdHandle(STD_OUTPUT_HANDLE);
    const HANDLE error = GetStdHandle(STD_ERROR_HANDLE);
    if (output != nullptr && output != INVALID_HANDLE_VALUE)
        CloseHandle(output);
    if (error != output && error != nullptr && error != INVALID_HANDLE_VALUE)
        CloseHandle(error);
    SetStdHandle(STD_OUTPUT_HANDLE, nullptr);
    SetStdHandle(STD_ERROR_HANDLE, nullptr);
}

void MakeInheritable(HANDLE handle) {
    if (handle != nullptr && handle != INVALID_HANDLE_VALUE) {
        SetHandleInformation(handle, HANDLE_FLAG_INHERIT, HANDLE_FLAG_INHERIT);
    }
}

// A copy of this program that holds our standard output and error open for a while, as a game or tool
// started by a real launcher script might; it writes the text, if any, every kGrandchildWriteMs.
bool StartGrandchild(const Context& context, std::uint32_t sleepMs, const std::string& text) {
    const HANDLE output = GetStdHandle(STD_OUTPUT_HANDLE);
    const HANDLE error = GetStdHandle(STD_ERROR_HANDLE);
    MakeInheritable(output);
    MakeInheritable(error);
    std::wstring commandLine = L"\"" + context.executablePath + L"\" " + std::wstring(kGrandchildSwitch) +
                               L" " + std::to_wstring(sleepMs);
    if (!text.empty())
        commandLine += L" " + HexOf(text);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = output;
    startup.hStdError = error;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(context.executablePath.c_str(), commandLine.data(), nullptr, nullptr, TRUE,
                        CREATE_NO_WINDOW, nullptr, nullptr, &startup, &process)) {
        return false;
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

std::wstring LocalPath(const Context& context, const std::string& relative) {
    std::wstring path = FromUtf8(relative);
    for (wchar_t& c : path) {
        if (c == L'/')
            c = L'\\';
    }
    return context.PathOf(path);
}

std::uint32_t Refuse(const Context& context, size_t lineNumber, std::string_view line, const char* reason) {
    std::string message = "standin: ";
    message += ModeName(context.mode);
    message += ".txt line " + std::to_string(lineNumber) + ": " + reason + ": ";
    message.append(line);
    message += '\n';
    WriteStderr(message);
    return kScenarioErrorExitCode;
}

} // namespace

std::uint32_t RunGrandchild(std::uint32_t ms, std::wstring_view hexText) {
    const std::string text = BytesOfHex(hexText);
    const ULONGLONG end = GetTickCount64() + ms;
    for (;;) {
        const ULONGLONG now = GetTickCount64();
        if (now >= end)
            return 0;
        if (!text.empty())
            WriteStdout(text);
        const ULONGLONG left = end - now;
        Sleep(text.empty() || left < kGrandchildWriteMs ? static_cast<DWORD>(left) : kGrandchildWriteMs);
    }
}

std::uint32_t RunScenario(const Context& context, const std::string& scenario) {
    std::string_view rest = scenario;
    if (rest.substr(0, 3) == "\xEF\xBB\xBF")
        rest.remove_prefix(3);
    for (size_t lineNumber = 1; !rest.empty(); ++lineNumber) {
        const size_t end = rest.find('\n');
        const std::string_view line = rest.substr(0, end);
        rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
        const ScenarioStep step = ParseScenarioLine(line);
        switch (step.kind) {
        case StepKind::Skip: break;
        case StepKind::Out:
        case StepKind::Line: WriteStdout(step.text); break;
        case StepKind::Err: WriteStderr(step.text); break;
        case StepKind::Repeat: Repeat(step.text, step.count); break;
        case StepKind::Paced: Paced(step.text, step.count, step.number); break;
        case StepKind::Fill: Fill(step.count, step.number); break;
        case StepKind::Sleep: Sleep(step.number); break;
        case StepKind::WaitFile:
            if (!WaitForFile(LocalPath(context, step.text), step.number))
                return kWaitFileTimeoutExitCode;
            break;
        case StepKind::Touch:
            if (!Touch(LocalPath(context, step.text)))
                return Refuse(context, lineNumber, line, "cannot create");
            break;
        case StepKind::EchoStdin: EchoStdin(); break;
        case StepKind::CloseOutput: CloseOutput(); break;
        case StepKind::Grandchild:
            if (!StartGrandchild(context, step.number, step.text))
                return Refuse(context, lineNumber, line, "cannot start");
            break;
        case StepKind::Demo: return RunDemo(context);
        case StepKind::Exit: return step.number;
        case StepKind::Invalid: return Refuse(context, lineNumber, line, "not understood");
        }
    }
    return 0;
}

} // namespace standin
