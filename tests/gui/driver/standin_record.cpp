#include "standin_record.h"
#include "escaped_text.h"

namespace driver {

namespace {

// "key rest": rest is what follows the first blank.
bool TakeKey(const std::string& line, const char* key, std::string& rest) {
    const std::string prefix = std::string(key) + " ";
    if (line.compare(0, prefix.size(), prefix) != 0)
        return false;
    rest = line.substr(prefix.size());
    return true;
}

} // namespace

std::optional<std::string> Record::Environment(const std::string& name) const {
    const auto found = environment.find(name);
    return found == environment.end() ? std::nullopt : found->second;
}

std::vector<Record> ParseRecords(const std::string& text) {
    std::vector<Record> invocations;
    std::optional<Record> open;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            break; // an unfinished line belongs to a block being written
        const std::string line = text.substr(start, end - start);
        start = end + 1;
        std::string rest;
        if (TakeKey(line, "begin", rest)) {
            open = Record{standin::UnescapeText(rest), {}, {}, {}};
        } else if (!open) {
            continue;
        } else if (line == "end") {
            invocations.push_back(*open);
            open.reset();
        } else if (TakeKey(line, "cwd", rest)) {
            open->cwd = Widen(standin::UnescapeText(rest));
        } else if (TakeKey(line, "arg", rest)) {
            open->arguments.push_back(Widen(standin::UnescapeText(rest)));
        } else if (TakeKey(line, "env", rest)) {
            const size_t blank = rest.find(' ');
            const std::string name = rest.substr(0, blank);
            const std::string value = blank == std::string::npos ? std::string() : rest.substr(blank + 1);
            open->environment[name] =
                value == "-" ? std::nullopt : std::optional<std::string>(standin::UnescapeText(value));
        }
    }
    return invocations;
}

std::vector<Record> ReadRecords(const PlayerFolder& folder) {
    return ParseRecords(folder.ReadFile(L"standin\\record.txt"));
}

void EnableRecording(const PlayerFolder& folder) {
    folder.MakeDirectory(L"standin");
}

void WriteScenario(const PlayerFolder& folder, const std::wstring& mode, const std::string& text) {
    folder.MakeDirectory(L"standin");
    folder.WriteFile(L"standin\\" + mode + L".txt", text);
}

std::string EscapeScenarioText(const std::string& bytes) {
    std::string text;
    standin::AppendEscaped(text, bytes);
    return text;
}

} // namespace driver
