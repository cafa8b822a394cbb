#pragma once
#include <atomic>
#include <cstddef>
#include <cstdint>

// A fixed byte ring between one writing thread and one reading thread: the writer fills the free
// span at its end and commits it, the reader takes the filled span at its start and consumes it.
// Neither side ever waits inside these functions; a full ring is the writer's cue to wait.
struct OutputRing {
    char* storage = nullptr;
    std::size_t capacity = 0;
    std::atomic<std::uint64_t> written{0};  // bytes committed so far, only the writer advances it
    std::atomic<std::uint64_t> consumed{0}; // bytes consumed so far, only the reader advances it
};

// Only while neither side uses the ring.
void ResetRing(OutputRing& ring, char* storage, std::size_t capacity);

// Writer: the free bytes that follow each other at the write position (0 when the ring is full).
std::size_t RingFreeSpan(const OutputRing& ring, char** at);
// Writer: the first count bytes of the free span now hold data.
void CommitToRing(OutputRing& ring, std::size_t count);

// Reader: the filled bytes that follow each other at the read position (0 when the ring is empty).
std::size_t RingFilledSpan(const OutputRing& ring, const char** at);
// Reader: the first count bytes of the filled span are done with.
void ConsumeFromRing(OutputRing& ring, std::size_t count);

std::uint64_t RingFilled(const OutputRing& ring);
