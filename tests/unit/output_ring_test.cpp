// The reader's byte ring: spans at the ends of the storage, a full and an empty ring, bytes coming
// out whole and in order through many wraps, from one thread and across two, and the hand-over of a
// full ring, where a writer waiting for room must never be missed.
#include <gtest/gtest.h>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstring>
#include <mutex>
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

// An auto-reset event, as the pipe reader's "room made" is.
class WakeUp {
  public:
    void Set() {
        {
            const std::lock_guard<std::mutex> lock(mutex_);
            set_ = true;
        }
        condition_.notify_one();
    }
    // False when no wake-up came within the time.
    bool WaitFor(std::chrono::milliseconds most) {
        std::unique_lock<std::mutex> lock(mutex_);
        const bool woken = condition_.wait_for(lock, most, [this] { return set_; });
        set_ = false;
        return woken;
    }

  private:
    std::mutex mutex_;
    std::condition_variable condition_;
    bool set_ = false;
};

// The writer waits for room exactly as the pipe reader does, the reader wakes it exactly as the
// window's thread does (only after a consume that took bytes), on a ring so small that the writer
// finds it full again and again. A missed wake-up leaves the writer waiting on an emptied ring: it
// gives up after a long time, which fails the test instead of hanging it.
TEST(OutputRingTest, AWriterWaitingForRoomIsNeverMissedByTheReader) {
    static char storage[64];
    OutputRing ring;
    ResetRing(ring, storage, sizeof storage);
    constexpr unsigned kHandOvers = 1000000;
    WakeUp roomMade;
    std::atomic<bool> writerDone{false};
    std::atomic<bool> missed{false};
    unsigned waits = 0; // the writer's own
    std::thread writer([&] {
        unsigned next = 0;
        for (unsigned handOver = 0; handOver < kHandOvers && !missed.load(); ++handOver) {
            for (;;) {
                char* at = nullptr;
                if (RingFreeSpan(ring, &at) != 0)
                    break;
                if (!AnnounceWaitForRoom(ring))
                    continue;
                ++waits;
                if (!roomMade.WaitFor(std::chrono::seconds(20)))
                    missed.store(true);
                if (missed.load())
                    break;
            }
            WriteNumbered(ring, 1 + handOver % 48, next);
        }
        writerDone.store(true);
    });
    unsigned read = 0;
    bool inOrder = true;
    for (unsigned step = 0;; ++step) {
        const bool done = writerDone.load();
        if (ReadNumbered(ring, 1 + step % 40, read, inOrder) != 0) {
            if (TakeWaitingWriter(ring))
                roomMade.Set();
        } else if (done) {
            break;
        } else {
            std::this_thread::yield();
        }
    }
    writer.join();
    std::printf("%u hand-overs, the writer waited for room %u times\n", kHandOvers, waits);
    EXPECT_FALSE(missed.load()) << "a writer waiting for room was not woken";
    EXPECT_TRUE(inOrder);
    EXPECT_GT(waits, 0u);
    EXPECT_EQ(RingFilled(ring), 0u);
}

} // namespace
