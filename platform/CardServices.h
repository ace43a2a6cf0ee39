// Operating system services behind a card's media: file times, opening a file with the program that
// handles it, and playing a sound from memory.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "platform/LocalTime.h"

namespace tl5 {

// The separator between a folder and a name in this system's paths.
#ifdef _WIN32
constexpr char16_t kPathSeparator = u'\\';
#else
constexpr char16_t kPathSeparator = u'/';
#endif

// The file's last-write time in local time; false when it cannot be read.
bool FileLastWriteTime(const std::u16string& path, SystemTime* time);

// Opens a file with the program registered for it (the shell's "open" verb, shown normally). On
// systems without such a shell nothing is started and the result is true. Tests may watch the calls.
bool ShellOpenFile(const std::u16string& path);
void SetShellOpenHookForTests(std::function<bool(const std::u16string&)> hook);
bool OsShellOpenFile(const std::u16string& path);

// The test seam for hand-overs to other programs: with the environment variable TL5_LAUNCH_LOG naming a
// file, a hand-over is appended to that file as one line (UTF-8) instead of being carried out. True
// when the line was recorded, and the caller then starts nothing.
bool RecordHandOver(std::u16string_view line);

// Starts asynchronous playback of a sound held in memory (WAV bytes), stopping any other; returns at
// once. StopSound ends whatever is playing. Where there is no sound output both report false.
bool PlaySoundFromMemory(const uint8_t* data, size_t size);
bool StopSound();

}  // namespace tl5
