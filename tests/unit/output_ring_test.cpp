// The reader's byte ring: spans at the ends of the storage, a full and an empty ring, and bytes
// coming out whole and in order through many wraps, from one thread and across two.
#include <gtest/gtest.h>
#include <cstring>
#include <random>
#include <string>
#include <thread>
#include "process/output_ring.h"

namespace {

struct Step {
    const char* name;
    std::size_t commit;  // bytes the writer adds (within its free span)
    std::size_t consume; // bytes the reader then takes (within its filled span)
    std::size_t free;    // free span afterwards
    std::size_t filled;  // filled span afterwards
    std::size_t writeAt; // offset of the free span
    std::size_t readAt;  // offset of the filled span
};

TEST(OutputRingTest, SpansFollowTheWriterAndTheReaderAroundTheStorage) {
    char storage[8];
    OutputRing ring;
    ResetRing(ring, storage, sizeof storage);
    const Step steps[] = {
        {"empty", 0, 0, 8, 0, 0, 0},
        {"five written", 5, 0, 3, 5, 5, 0},
        {"full", 3, 0, 0, 8, 0, 0},
        {"two read: room at the start only", 0, 2, 2, 6, 0, 2},
        {"the rest read up to the end", 0, 6, 8, 0, 0, 0},
        {"writes up to the end, then from the start", 6, 6, 2, 0, 6, 6},
        {"free span stops at the end", 2, 0, 6, 2, 0, 6},
        {"filled span stops at the end", 3, 0, 3, 2, 3, 6},
        {"filled span wraps to the start", 0, 2, 5, 3, 3, 0},
        {"empty again, mid-storage", 0, 3, 5, 0, 3, 3},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.name);
        char* writeAt = nullptr;
        const char* readAt = nullptr;
        if (step.commit != 0) {
            ASSERT_GE(RingFreeSpan(ring, &writeAt), step.commit);
            CommitToRing(ring, step.commit);
        }
        if (step.consume != 0) {
            ASSERT_GE(RingFilledSpan(ring, &readAt), step.consume);
            ConsumeFromRing(ring, step.consume);
        }
        EXPECT_EQ(RingFreeSpan(ring, &writeAt), step.free);
        EXPECT_EQ(RingFilledSpan(ring, &readAt), step.filled);
        EXPECT_EQ(writeAt - storage, static_cast<std::ptrdiff_t>(step.writeAt));
        EXPECT_EQ(readAt - storage, static_cast<std::ptrdiff_t>(step.readAt));
    }
    EXPECT_EQ(RingFilled(ring), 0u);
}

// Writes bytes numbered from `next` into the free span, at most `most`.
std::size_t WriteNumbered(OutputRing& ring, std::size_t most, unsigned& next) {
    char* at = nullptr;
    std::size_t count = RingFreeSpan(ring, &at);
    if (count > most)
        count = most;
    for (std::size_t i = 0; i < count; ++i)
        at[i] = static_cast<char>(next++ % 251);
    CommitToRing(ring, count);
    return count;
}

// Checks that the filled span continues the numbering at `expected`, takes at most `most`.
std::size_t ReadNumbered(OutputRing& ring, std::size_t most, unsigned& expected, bool& inOrder) {
    const char* at = nullptr;
    std::size_t count = RingFilledSpan(ring, &at);
    if (count > most)
        count = most;
    for (std::size_t i = 0; i < count; ++i)
        inOrder = inOrder && at[i] == static_cast<char>(expected++ % 251);
    ConsumeFromRing(ring, count);
    return count;
}

TEST(OutputRingTest, BytesComeOutWholeAndInOrderThroughManyWraps) {
    char storage[97];
    OutputRing ring;
    ResetRing(ring, storage, sizeof storage);
    std::mt19937 random(3);
    unsigned written = 0, read = 0;
    bool inOrder = true;
    while (written < 200000) {
        WriteNumbered(ring, std::uniform_int_distribution<std::size_t>(0, 130)(random), written);
        ASSERT_LE(RingFilled(ring), sizeof storage);
        ReadNumbered(ring, std::uniform_int_distribution<std::size_t>(0, 130)(random), read, inOrder);
    }
    while (ReadNumbered(ring, sizeof storage, read, inOrder) != 0) {
    }
    EXPECT_TRUE(inOrder);
    EXPECT_EQ(read, written);
}

TEST(OutputRingTest, AWriterAndAReaderOnTwoThreadsPassEveryByteInOrder) {
    static char storage[4099];
    OutputRing ring;
    ResetRing(ring, storage, sizeof storage);
    constexpr unsigned kBytes = 20000000;
    std::thread writer([&] {
        unsigned next = 0;
        while (next < kBytes)
            WriteNumbered(ring, kBytes - next < 1500 ? kBytes - next : 1500, next);
    });
    unsigned read = 0;
    bool inOrder = true;
    while (read < kBytes)
        ReadNumbered(ring, 1000, read, inOrder);
    writer.join();
    EXPECT_TRUE(inOrder);
    EXPECT_EQ(RingFilled(ring), 0u);
}

} // namespace
