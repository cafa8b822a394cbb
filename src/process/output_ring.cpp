#include "process/output_ring.h"

void ResetRing(OutputRing& ring, char* storage, std::size_t capacity) {
    ring.storage = storage;
    ring.capacity = capacity;
    ring.written.store(0, std::memory_order_relaxed);
    ring.consumed.store(0, std::memory_order_relaxed);
    ring.writerWaits.store(false, std::memory_order_relaxed);
}

// The acquire loads pair with the other side's release stores: the writer sees space only once the
// reader is done with it, and the reader sees bytes only once they are in the storage.
std::size_t RingFreeSpan(const OutputRing& ring, char** at) {
    const std::uint64_t written = ring.written.load(std::memory_order_relaxed);
    const std::uint64_t consumed = ring.consumed.load(std::memory_order_acquire);
    const std::uint64_t free = ring.capacity - (written - consumed);
    const std::uint64_t offset = written % ring.capacity;
    const std::uint64_t toEnd = ring.capacity - offset;
    *at = ring.storage + offset;
    return static_cast<std::size_t>(free < toEnd ? free : toEnd);
}

void CommitToRing(OutputRing& ring, std::size_t count) {
    ring.written.store(ring.written.load(std::memory_order_relaxed) + count, std::memory_order_release);
}

std::size_t RingFilledSpan(const OutputRing& ring, const char** at) {
    const std::uint64_t written = ring.written.load(std::memory_order_acquire);
    const std::uint64_t consumed = ring.consumed.load(std::memory_order_relaxed);
    const std::uint64_t filled = written - consumed;
    const std::uint64_t offset = consumed % ring.capacity;
    const std::uint64_t toEnd = ring.capacity - offset;
    *at = ring.storage + offset;
    return static_cast<std::size_t>(filled < toEnd ? filled : toEnd);
}

void ConsumeFromRing(OutputRing& ring, std::size_t count) {
    ring.consumed.store(ring.consumed.load(std::memory_order_relaxed) + count, std::memory_order_release);
}

std::uint64_t RingFilled(const OutputRing& ring) {
    return ring.written.load(std::memory_order_acquire) - ring.consumed.load(std::memory_order_acquire);
}

// A sequentially consistent fence on each side, between its own store and its look at the other
// side's: one of the two fences comes first, so either the reader sees the flag or the writer the room.
bool AnnounceWaitForRoom(OutputRing& ring) {
    ring.writerWaits.store(true, std::memory_order_relaxed);
    std::atomic_thread_fence(std::memory_order_seq_cst);
    char* at = nullptr;
    if (RingFreeSpan(ring, &at) == 0)
        return true;
    // Room came: withdraw. Had the reader taken the flag already, its wake-up only finds the room.
    ring.writerWaits.store(false, std::memory_order_relaxed);
    return false;
}

bool TakeWaitingWriter(OutputRing& ring) {
    std::atomic_thread_fence(std::memory_order_seq_cst);
    return ring.writerWaits.load(std::memory_order_relaxed) &&
           ring.writerWaits.exchange(false, std::memory_order_relaxed);
}
