#include "scenario_line.h"
#include "escaped_text.h"

namespace standin {

namespace {

constexpr std::uint64_t kMaxU32 = 0xFFFFFFFFu;

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view TrimLeft(std::string_view text) {
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    return text;
}

std::string_view TrimRight(std::string_view text) {
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

// Splits "word rest": rest starts after exactly one blank, so texts keep their own leading blanks.
void SplitWord(std::string_view text, std::string_view& word, std::string_view& rest) {
    const size_t blank = text.find(' ');
    if (blank == std::string_view::npos) {
        word = text;
        rest = {};
    } else {
        word = text.substr(0, blank);
        rest = text.substr(blank + 1);
    }
}

ScenarioStep Make(StepKind kind) {
    ScenarioStep step;
    step.kind = kind;
    return step;
}

ScenarioStep NumberStep(StepKind kind, std::string_view argument) {
    std::uint64_t value = 0;
    if (!ParseUnsigned(TrimRight(argument), kMaxU32, value))
        return Make(StepKind::Invalid);
    ScenarioStep step = Make(kind);
    step.number = static_cast<std::uint32_t>(value);
    return step;
}

ScenarioStep PathStep(StepKind kind, std::string_view argument) {
    ScenarioStep step = Make(kind);
    std::string_view path = TrimRight(argument);
    if (kind == StepKind::WaitFile) {
        step.number = kDefaultWaitFileMs;
        const size_t blank = path.find_last_of(' ');
        std::uint64_t ms = 0;
        if (blank != std::string_view::npos && ParseUnsigned(path.substr(blank + 1), kMaxU32, ms)) {
            step.number = static_cast<std::uint32_t>(ms);
            path = TrimRight(path.substr(0, blank));
        }
    }
    if (path.empty())
        return Make(StepKind::Invalid);
    step.text.assign(path);
    return step;
}

ScenarioStep RepeatStep(std::string_view argument) {
    std::string_view count;
    std::string_view text;
    SplitWord(argument, count, text);
    ScenarioStep step = Make(StepKind::Repeat);
    if (!ParseUnsigned(count, UINT64_MAX, step.count))
        return Make(StepKind::Invalid);
    step.text = UnescapeText(text);
    return step;
}

// "paced N US TEXT": N writes of TEXT, each after about US microseconds of work.
ScenarioStep PacedStep(std::string_view argument) {
    std::string_view count;
    std::string_view rest;
    std::string_view micros;
    std::string_view text;
    SplitWord(argument, count, rest);
    SplitWord(rest, micros, text);
    ScenarioStep step = Make(StepKind::Paced);
    std::uint64_t value = 0;
    if (!ParseUnsigned(count, UINT64_MAX, step.count) || !ParseUnsigned(micros, kMaxU32, value))
        return Make(StepKind::Invalid);
    step.number = static_cast<std::uint32_t>(value);
    step.text = UnescapeText(text);
    return step;
}

// "grandchild MS" or "grandchild MS TEXT": the grandchild writes TEXT every so often while it lives.
ScenarioStep GrandchildStep(std::string_view argument) {
    std::string_view ms;
    std::string_view text;
    SplitWord(argument, ms, text);
    ScenarioStep step = NumberStep(StepKind::Grandchild, text.empty() ? argument : ms);
    if (step.kind == StepKind::Grandchild)
        step.text = UnescapeText(text);
    return step;
}

ScenarioStep FillStep(std::string_view argument) {
    std::string_view count;
    std::string_view byte;
    SplitWord(TrimRight(argument), count, byte);
    ScenarioStep step = Make(StepKind::Fill);
    if (!ParseUnsigned(count, UINT64_MAX, step.count) || byte.size() != 2)
        return Make(StepKind::Invalid);
    std::uint64_t value = 0;
    if (!ParseUnsigned(std::string("0x").append(byte), 0xFF, value))
        return Make(StepKind::Invalid);
    step.number = static_cast<std::uint32_t>(value);
    return step;
}

} // namespace

bool ParseUnsigned(std::string_view text, std::uint64_t max, std::uint64_t& value) {
    std::uint64_t base = 10;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
        text.remove_prefix(2);
    }
    if (text.empty())
        return false;
    std::uint64_t result = 0;
    for (const char c : text) {
        std::uint64_t digit = 0;
        if (c >= '0' && c <= '9') {
            digit = static_cast<std::uint64_t>(c - '0');
        } else if (base == 16 && c >= 'a' && c <= 'f') {
            digit = static_cast<std::uint64_t>(c - 'a' + 10);
        } else if (base == 16 && c >= 'A' && c <= 'F') {
            digit = static_cast<std::uint64_t>(c - 'A' + 10);
        } else {
            return false;
        }
        if (result > (max - digit) / base)
            return false;
        result = result * base + digit;
    }
    value = result;
    return true;
}

ScenarioStep ParseScenarioLine(std::string_view line) {
    if (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
    line = TrimLeft(line);
    if (TrimRight(line).empty() || line.front() == '#')
        return Make(StepKind::Skip);
    std::string_view keyword;
    std::string_view argument;
    SplitWord(line, keyword, argument);
    keyword = TrimRight(keyword);

    if (keyword == "out" || keyword == "line" || keyword == "err") {
        ScenarioStep step = Make(keyword == "out"    ? StepKind::Out
                                 : keyword == "line" ? StepKind::Line
                                                     : StepKind::Err);
        step.text = UnescapeText(argument);
        if (step.kind == StepKind::Line)
            step.text += '\n';
        return step;
    }
    if (keyword == "repeat")
        return RepeatStep(argument);
    if (keyword == "fill")
        return FillStep(argument);
    if (keyword == "sleep")
        return NumberStep(StepKind::Sleep, argument);
    if (keyword == "paced")
        return PacedStep(argument);
    if (keyword == "grandchild")
        return GrandchildStep(argument);
    if (keyword == "exit")
        return NumberStep(StepKind::Exit, argument);
    if (keyword == "wait-file")
        return PathStep(StepKind::WaitFile, argument);
    if (keyword == "touch")
        return PathStep(StepKind::Touch, argument);
    if (TrimRight(argument).empty()) {
        if (keyword == "echo-stdin")
            return Make(StepKind::EchoStdin);
        if (keyword == "close-output")
            return Make(StepKind::CloseOutput);
        if (keyword == "demo")
            return Make(StepKind::Demo);
    }
    return Make(StepKind::Invalid);
}

} // namespace standin
