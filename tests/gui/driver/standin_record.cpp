#include "standin_record.h"

namespace driver {

namespace {

int HexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

std::string Unescape(const std::string& text) {
    std::string bytes;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size()) {
            const char next = text[i + 1];
            const char simple = next == '\\'  ? '\\'
                                : next == 'n' ? '\n'
                                : next == 'r' ? '\r'
                                : next == 't' ? '\t'
                                              : 0;
            if (simple != 0) {
                bytes += simple;
                ++i;
                continue;
            }
            if (next == 'x' && i + 3 < text.size() && HexValue(text[i + 2]) >= 0 &&
                HexValue(text[i + 3]) >= 0) {
                bytes += static_cast<char>(HexValue(text[i + 2]) * 16 + HexValue(text[i + 3]));
                i += 3;
                continue;
            }
        }
        bytes += text[i];
    }
    return bytes;
}

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
            open = Record{Unescape(rest), {}, {}, {}};
        } else if (!open) {
            continue;
        } else if (line == "end") {
            invocations.push_back(*open);
            open.reset();
        } else if (TakeKey(line, "cwd", rest)) {
            open->cwd = Widen(Unescape(rest));
        } else if (TakeKey(line, "arg", rest)) {
            open->arguments.push_back(Widen(Unescape(rest)));
        } else if (TakeKey(line, "env", rest)) {
            const size_t blank = rest.find(' ');
            const std::string name = rest.substr(0, blank);
            const std::string value = blank == std::string::npos ? std::string() : rest.substr(blank + 1);
            open->environment[name] =
                value == "-" ? std::nullopt : std::optional<std::string>(Unescape(value));
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
    static constexpr char kHex[] = "0123456789abcdef";
    std::string text;
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\\') {
            text += "\\\\";
        } else if (byte < 0x20 || byte == 0x7f) {
            text += "\\x";
            text += kHex[byte >> 4];
            text += kHex[byte & 15];
        } else {
            text += c;
        }
    }
    return text;
}

} // namespace driver
