// Small files for window tests: pictures and sounds built in memory, and whole files read and written.
#pragma once

#include <cstdint>
#include <string>

namespace tl5test {

// A size x size 24-bit bitmap file of one colour (0xRRGGBB) whose top-left pixel is `corner`.
std::string Bitmap(int size, uint32_t rgb, uint32_t corner);
// A silent 8-bit mono wave file of `samples` samples at 8 kHz.
std::string Wave(uint32_t samples);

// The whole file, read while others may hold it open; empty when it cannot be opened.
std::string FileBytes(const std::wstring& path);
// Replaces the file with `bytes`.
void WriteFileBytes(const std::wstring& path, const std::string& bytes);

// Today as exported file names begin: "YYYYMMDD_".
std::wstring DayStamp();

}  // namespace tl5test

// Exported files carry the day they were written, so a run across midnight cannot predict their
// names: a test that checks such names takes the stamp first and skips its checks if it changed.
#define TL5_SKIP_IF_DAY_CHANGED(stamp) \
    if (tl5test::DayStamp() != (stamp)) GTEST_SKIP() << "the day changed while the test ran"
