// The media a card carries: its background image, its sound and up to ten attachments, and the
// operations that fill them from bytes or files.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/LocalTime.h"

namespace tl5 {

class FileSystem;

// File names are held without their folder, at most 259 characters.
constexpr size_t kMaxMediaFileName = 259;

// The file name of a path (FileNameOf), cut to 259 characters.
std::u16string MediaFileNameOfPath(std::u16string_view path);

// Bytes owned by a media object; wiped when released.
struct MediaBytes {
    std::vector<uint8_t> data;

    MediaBytes() = default;
    MediaBytes(const MediaBytes&) = default;
    MediaBytes& operator=(const MediaBytes& other);
    MediaBytes(MediaBytes&& other) noexcept : data(std::move(other.data)) { other.data.clear(); }
    MediaBytes& operator=(MediaBytes&& other) noexcept;
    ~MediaBytes() { Release(); }

    void Release();
    bool Empty() const { return data.empty(); }
    size_t Size() const { return data.size(); }
};

enum ImageFormat : int32_t { kImageNone = 0, kImageBmp = 1, kImageJpeg = 2, kImageGif = 3 };
constexpr int32_t kDefaultImagePosition = 9;

struct CardImage {
    int32_t position = 0;  // 1-10
    int32_t format = 0;    // ImageFormat
    MediaBytes bytes;
    std::u16string fileName;

    bool HasData() const { return !bytes.Empty(); }
    // Empties the image but keeps its position code.
    void Clear();
    // Stores the bytes. With a path: the file name and the format from its extension; without one the
    // format given is used. Refused (false, image unchanged) without bytes, or when there is neither a
    // path nor a format. A position of 0 or above 10 becomes 9.
    bool SetFromBytes(const uint8_t* data, size_t size, std::u16string_view path, int32_t format);
    // Reads the whole file, then as SetFromBytes with its path, then sets the position given.
    bool SetFromFile(FileSystem& fs, const std::u16string& path, int32_t position);
};

// The image format named by a path's extension: bmp 1, jpg/jpeg 2, gif 3, anything else 0.
int32_t ImageFormatOfPath(std::u16string_view path);

enum SoundFormat : int32_t { kSoundOther = 0, kSoundWav = 1 };

struct CardSound {
    int32_t format = 0;          // SoundFormat
    int32_t playWhenViewed = 0;  // 0 or 1
    MediaBytes bytes;
    std::u16string fileName;

    bool HasData() const { return !bytes.Empty(); }
    void Clear();
    // Clears the sound (format and play flag become 0), stores the bytes and the file name of the path;
    // format 1 when the extension is "wav". Refused without bytes.
    bool SetFromBytes(const uint8_t* data, size_t size, std::u16string_view path);
    bool SetFromFile(FileSystem& fs, const std::u16string& path);
};

struct Attachment {
    SystemTime fileTime;    // the file's last-write time
    SystemTime attachedAt;  // when it was attached
    MediaBytes bytes;
    std::u16string fileName;

    bool HasData() const { return !bytes.Empty(); }
    void Clear();
    // Stores the bytes with the file name of the path, the given file time and the current time as
    // the attaching time. Refused without bytes.
    bool SetFromBytes(const uint8_t* data, size_t size, std::u16string_view path, const SystemTime& fileTime);
    // Reads the whole file; its time is the file's last-write time (the current time when unknown).
    bool SetFromFile(FileSystem& fs, const std::u16string& path);
};

// The largest file a card takes as an image, sound or attachment.
constexpr uint64_t kMaxMediaFileSize = 256u * 1024u * 1024u;

}  // namespace tl5
