#include "model/CardSoundPlayer.h"

#include <new>

#include "platform/CardServices.h"
#include "platform/File.h"
#include "platform/SecureZero.h"

namespace tl5 {

void CardSoundPlayer::Clear() {
    Stop();
    bytes_.Release();
    fileName_.clear();
    loaded_ = false;
    playWhenViewed_ = false;
}

bool CardSoundPlayer::LoadFromBytes(bool playWhenViewed, std::u16string_view fileName, const uint8_t* data,
                                    size_t size) {
    Clear();
    if (!data || size == 0) return false;
    try {
        bytes_.data.assign(data, data + size);
    } catch (const std::bad_alloc&) {
        bytes_.Release();
        return false;
    }
    fileName_ = MediaFileNameOfPath(fileName);
    playWhenViewed_ = playWhenViewed;
    loaded_ = true;
    return true;
}

bool CardSoundPlayer::LoadFromFile(FileSystem& fs, const std::u16string& path, bool playWhenViewed) {
    Clear();
    std::string bytes;
    if (!ReadWholeFile(fs, path, &bytes, kMaxMediaFileSize) || bytes.empty()) return false;
    const bool ok = LoadFromBytes(playWhenViewed, path, reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    SecureZero(bytes);
    return ok;
}

bool CardSoundPlayer::Play() {
    if (!loaded_) return false;
    if (RecordHandOver(u"play " + fileName_)) return true;
    return PlaySoundFromMemory(bytes_.data.data(), bytes_.Size());
}

bool CardSoundPlayer::Stop() {
    if (!loaded_) return false;
    return StopSound();
}

}  // namespace tl5
