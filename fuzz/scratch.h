#pragma once
// Scratch files of the targets that read from a path: one fixed name per process and
// purpose, in memory-backed /dev/shm where there is one.

#include <cstddef>
#include <cstdint>
#include <string>

// "<dir>/catalog-fuzz-<pid>-<purpose>".
std::string ScratchPath(const char* purpose);

// Replaces the file at `path` with the bytes; false when it cannot be written.
bool WriteScratch(const std::string& path, const std::uint8_t* data, std::size_t size);
