#pragma once
#include <windows.h>
#include <cstddef>
#include <cstdint>

// Reads the running helper's output pipe on a thread of its own, as the bytes arrive, so the helper
// never waits on the window: every read goes straight into the launch log (when one is open) and
// into a fixed ring that the window's thread consumes. When the window's thread waits for bytes and
// plenty have come, the reader wakes it through gPumpTargets.outputWaiting; a trickle waits for the
// tick. When the ring is full the reader waits for room, and so does the helper, so memory never
// grows with the output. The reader is done with its helper once the helper has ended: it reads what
// the pipe held at that moment, within a bounded time, and stops, even when a grandchild still holds
// the pipe open and keeps writing or stays silent. A pending read is waited on together with the
// helper's end and cancelled by it, which is why the pipe is a named one opened for overlapped
// reads. Only the pipe's end stops reading early; other read errors are tried again a few times,
// then reported (ReaderFailure), and the reader lets go of the pipe. One thread, made for the first
// helper, reads for every helper of the window's life and waits in between.

inline constexpr std::size_t kOutputRingBytes = std::size_t{4} << 20;
// One read at most; also the pipe's own buffer, so that a helper's large write needs few reads.
inline constexpr DWORD kPipeReadBytes = 1 << 20;

// The helper's output pipe: the read end opened for overlapped reads and not inheritable, the write
// end inheritable (the child's standard output and error). Also prepares the reader, which starts
// only with StartPipeReader. False, with nothing left open, when any of it fails.
bool CreateHelperPipe(HANDLE* readEnd, HANDLE* writeEnd);
// The helper has been created: read its pipe, writing to the log unless it is INVALID_HANDLE_VALUE.
void StartPipeReader(HANDLE process, HANDLE readEnd, HANDLE launchLog);
// The helper could not be created: drop the prepared reader (the caller closes the read end).
void DropPipeReader();

// The window's thread: the bytes read and not yet consumed that lie together at the read position.
std::size_t ReaderFilledSpan(const char** at);
// The window's thread is done with count bytes of the span; a reader waiting for room goes on.
void ConsumeReaderBytes(std::size_t count);
// The window's thread has consumed everything and wants a wake-up when plenty of bytes come: false
// when bytes (or the reader's end) came meanwhile, and the caller should consume again.
bool ArmReaderWake();
// While on, any output read wakes the window's thread (when it waits), not only plenty of it: the
// window has no tick running then to pick up a trickle.
void WakeOnAnyOutput(bool on);
// True once the helper has ended and everything it wrote is in the ring (maybe not yet consumed).
bool ReaderFinished();
// The system's error code of a read that failed for good, after which the reader let go of the pipe
// (the helper's further writes fail); 0 when reading ended with the pipe or the helper.
std::uint32_t ReaderFailure();
// After ReaderFinished: waits until the reader thread is done with the helper and waits for the next,
// and gives the ring's pages back to the system until then. The caller closes the pipe and the log
// afterwards.
void EndPipeReader();

// How a read is started: ReadFile, unless a test puts a failing call in its place (null: ReadFile
// again). Only while no reader runs.
using PipeReadCall = BOOL(WINAPI*)(HANDLE, LPVOID, DWORD, LPDWORD, LPOVERLAPPED);
void SetPipeReadCall(PipeReadCall call);
