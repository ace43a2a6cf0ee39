// CardSoundPlayer: holds one sound (a card's, or a file's) and plays it from memory, asynchronously.
// The card window and the sound dialog each own one.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "model/CardMedia.h"

namespace tl5 {

class FileSystem;

class CardSoundPlayer {
public:
    CardSoundPlayer() = default;
    ~CardSoundPlayer() { Clear(); }
    CardSoundPlayer(const CardSoundPlayer&) = delete;
    CardSoundPlayer& operator=(const CardSoundPlayer&) = delete;

    // Stops the sound, then releases the bytes and resets the flags.
    void Clear();
    // A card's sound. Empty bytes load nothing (false).
    bool LoadFromBytes(bool playWhenViewed, std::u16string_view fileName, const uint8_t* data, size_t size);
    // The whole file; the name is the part of the path after its last backslash. A file that cannot be
    // read or is empty loads nothing (false).
    bool LoadFromFile(FileSystem& fs, const std::u16string& path, bool playWhenViewed);
    // Starts playback and returns at once; false when nothing is loaded or there is no sound output.
    // With TL5_LAUNCH_LOG set the playing is recorded there ("play NAME") instead (RecordHandOver).
    bool Play();
    // Ends any sound playing (when loaded).
    bool Stop();

    bool IsLoaded() const { return loaded_; }
    bool PlayWhenViewed() const { return playWhenViewed_; }
    const std::u16string& FileName() const { return fileName_; }
    size_t Size() const { return bytes_.Size(); }
    const MediaBytes& Bytes() const { return bytes_; }

private:
    bool loaded_ = false;
    bool playWhenViewed_ = false;
    MediaBytes bytes_;
    std::u16string fileName_;
};

}  // namespace tl5
