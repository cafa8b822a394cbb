#include "launch/estimate_text.h"

std::uint64_t EstimateSeconds(bool helperRunning, std::uint64_t nowTick, std::uint64_t startTick,
                              std::uint64_t elapsedSeconds) {
    if (!helperRunning)
        return elapsedSeconds;
    return nowTick > startTick ? (nowTick - startTick) / 1000 : 0;
}

namespace {

// Appends into a fixed buffer, always leaving it terminated; what does not fit is dropped.
class TextBuilder {
  public:
    TextBuilder(wchar_t* out, std::size_t capacity) : out_(out), capacity_(capacity) {
        if (capacity_ > 0)
            out_[0] = L'\0';
    }
    void Text(const wchar_t* text) {
        while (*text != L'\0')
            Put(*text++);
    }
    void Number(std::uint64_t value) {
        wchar_t digits[20];
        std::size_t count = 0;
        do {
            digits[count++] = static_cast<wchar_t>(L'0' + value % 10);
            value /= 10;
        } while (value != 0);
        while (count > 0)
            Put(digits[--count]);
    }
    std::size_t Length() const { return length_; }

  private:
    void Put(wchar_t unit) {
        if (length_ + 1 >= capacity_)
            return;
        out_[length_++] = unit;
        out_[length_] = L'\0';
    }
    wchar_t* out_;
    std::size_t capacity_;
    std::size_t length_ = 0;
};

} // namespace

std::size_t FormatEstimateText(wchar_t* out, std::size_t capacity, std::uint32_t highestPermille,
                               std::uint64_t seconds, std::uint32_t peakCommittedMiB,
                               std::uint32_t memoryLimitMiB) {
    TextBuilder text(out, capacity);
    text.Text(L"Estimated overall: ");
    text.Number(highestPermille / 10);
    text.Text(L"%  |  Elapsed: ");
    text.Number(seconds / 3600);
    text.Text(L"h ");
    text.Number(seconds / 60 % 60);
    text.Text(L"m ");
    text.Number(seconds % 60);
    text.Text(L"s");
    if (peakCommittedMiB != 0) {
        if (memoryLimitMiB == 0) {
            text.Text(L"\nPeak committed: ");
            text.Number(peakCommittedMiB);
            text.Text(L" MiB");
        } else if (memoryLimitMiB < peakCommittedMiB) {
            text.Text(L"\nMemory limit reached (");
            text.Number(memoryLimitMiB);
            text.Text(L" MiB)");
        } else {
            text.Text(L"\nPeak committed: ");
            text.Number(peakCommittedMiB);
            text.Text(L" / ");
            text.Number(memoryLimitMiB);
            text.Text(L" MiB");
        }
    }
    return text.Length();
}
