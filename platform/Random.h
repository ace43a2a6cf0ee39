// The 32-bit pseudo-random number service used for identifiers and header words.
//
// By default the numbers come from the operating system's cryptographic generator. Tests may seed a
// deterministic generator or replace the source altogether.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>

namespace tl5 {

uint32_t Random32();

// Replace the source (an empty function restores the operating system's generator).
void SetRandomSourceForTests(std::function<uint32_t()> source);
// A deterministic generator started from the given seed.
void SeedRandomForTests(uint64_t seed);

// Fills the buffer from the operating system's cryptographic generator; false when it fails.
bool OsRandomBytes(void* buffer, size_t size);

}  // namespace tl5
