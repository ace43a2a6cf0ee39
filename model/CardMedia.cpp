#include "model/CardMedia.h"

#include <new>

#include "platform/CardServices.h"
#include "platform/File.h"
#include "platform/PathText.h"
#include "platform/SecureZero.h"

namespace tl5 {

namespace {

char16_t Lower(char16_t c) { return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c + 32) : c; }

bool EqualsNoCase(std::u16string_view a, std::u16string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (Lower(a[i]) != Lower(b[i])) return false;
    }
    return true;
}

std::u16string_view ExtensionOf(std::u16string_view path) {
    const size_t dot = path.rfind(u'.');
    return dot == std::u16string_view::npos ? std::u16string_view() : path.substr(dot + 1);
}

bool CopyBytes(const uint8_t* data, size_t size, MediaBytes* out) {
    try {
        out->data.assign(data, data + size);
    } catch (const std::bad_alloc&) {
        out->Release();
        return false;
    }
    return true;
}

// Reads a whole media file into bytes that are wiped when released.
bool ReadMediaFile(FileSystem& fs, const std::u16string& path, MediaBytes* out) {
    std::string bytes;
    if (!ReadWholeFile(fs, path, &bytes, kMaxMediaFileSize) || bytes.empty()) return false;
    const bool ok = CopyBytes(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), out);
    SecureZero(bytes);
    return ok;
}

}  // namespace

std::u16string MediaFileNameOfPath(std::u16string_view path) {
    std::u16string name = FileNameOf(path);
    if (name.size() > kMaxMediaFileName) name.resize(kMaxMediaFileName);
    return name;
}

MediaBytes& MediaBytes::operator=(const MediaBytes& other) {
    if (this != &other) {
        Release();
        data = other.data;
    }
    return *this;
}

MediaBytes& MediaBytes::operator=(MediaBytes&& other) noexcept {
    if (this != &other) {
        Release();
        data = std::move(other.data);
        other.data.clear();
    }
    return *this;
}

void MediaBytes::Release() {
    SecureZero(data);
    data.shrink_to_fit();
}

int32_t ImageFormatOfPath(std::u16string_view path) {
    const std::u16string name = MediaFileNameOfPath(path);
    const std::u16string_view ext = ExtensionOf(name);
    if (EqualsNoCase(ext, u"bmp")) return kImageBmp;
    if (EqualsNoCase(ext, u"gif")) return kImageGif;
    if (EqualsNoCase(ext, u"jpg") || EqualsNoCase(ext, u"jpeg")) return kImageJpeg;
    return kImageNone;
}

void CardImage::Clear() {
    format = 0;
    bytes.Release();
    SecureZero(fileName);
}

bool CardImage::SetFromBytes(const uint8_t* data, size_t size, std::u16string_view path, int32_t givenFormat) {
    if (!data || size == 0) return false;
    if (path.empty() && givenFormat == 0) return false;
    MediaBytes copy;
    if (!CopyBytes(data, size, &copy)) return false;
    Clear();
    bytes = std::move(copy);
    if (!path.empty()) {
        fileName = MediaFileNameOfPath(path);
        format = ImageFormatOfPath(path);
    } else {
        format = givenFormat;
    }
    if (position <= 0 || position > 10) position = kDefaultImagePosition;
    return true;
}

bool CardImage::SetFromFile(FileSystem& fs, const std::u16string& path, int32_t newPosition) {
    MediaBytes read;
    if (!ReadMediaFile(fs, path, &read)) return false;
    if (!SetFromBytes(read.data.data(), read.data.size(), path, 0)) return false;
    position = newPosition;
    return true;
}

void CardSound::Clear() {
    format = 0;
    playWhenViewed = 0;
    bytes.Release();
    SecureZero(fileName);
}

bool CardSound::SetFromBytes(const uint8_t* data, size_t size, std::u16string_view path) {
    if (!data || size == 0) return false;
    MediaBytes copy;
    if (!CopyBytes(data, size, &copy)) return false;
    Clear();
    bytes = std::move(copy);
    fileName = MediaFileNameOfPath(path);
    format = EqualsNoCase(ExtensionOf(fileName), u"wav") ? kSoundWav : kSoundOther;
    return true;
}

bool CardSound::SetFromFile(FileSystem& fs, const std::u16string& path) {
    MediaBytes read;
    if (!ReadMediaFile(fs, path, &read)) return false;
    return SetFromBytes(read.data.data(), read.data.size(), path);
}

void Attachment::Clear() {
    fileTime = SystemTime();
    attachedAt = SystemTime();
    bytes.Release();
    SecureZero(fileName);
}

bool Attachment::SetFromBytes(const uint8_t* data, size_t size, std::u16string_view path, const SystemTime& time) {
    if (!data || size == 0) return false;
    MediaBytes copy;
    if (!CopyBytes(data, size, &copy)) return false;
    Clear();
    bytes = std::move(copy);
    fileName = MediaFileNameOfPath(path);
    fileTime = time;
    attachedAt = LocalTimeNow();
    return true;
}

bool Attachment::SetFromFile(FileSystem& fs, const std::u16string& path) {
    MediaBytes read;
    if (!ReadMediaFile(fs, path, &read)) return false;
    SystemTime time;
    if (!FileLastWriteTime(path, &time)) time = LocalTimeNow();
    return SetFromBytes(read.data.data(), read.data.size(), path, time);
}

}  // namespace tl5
