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
    std::atomic<bool> writerWaits{false};   // the writer found the ring full and waits for room
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

// The hand-over of a full ring. The writer, finding no room, calls AnnounceWaitForRoom: true means
// it must now wait for the reader's wake-up, false that room came meanwhile. The reader calls
// TakeWaitingWriter after each consume: true means the writer waits and must be woken, once. Neither
// side can miss the other; a wake-up may come when room has already been seen, so the writer looks
// at the ring again after every wake-up.
bool AnnounceWaitForRoom(OutputRing& ring);
bool TakeWaitingWriter(OutputRing& ring);
