// The pictures of savegames, made small and kept while a dialog shows them. A picture is known by
// its file's full path, so a save named like a picture of the game never shows that picture, and
// it is read again when the file on disk changed (a save written over). The pictures go when the
// last strip showing them does. The dialog that lists the saves keeps one and hands it to its
// strips. Main thread only.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>

class PTexture;

struct SaveThumbnail
{
    SaveThumbnail() = default;
    ~SaveThumbnail();
    SaveThumbnail(const SaveThumbnail&) = delete;
    SaveThumbnail& operator=(const SaveThumbnail&) = delete;

    PTexture* texture = nullptr; // owned
    int width = 0;               // of the picture as it was saved
    int height = 0;
};

// The square in the middle of a picture (texture coordinates): a landscape picture loses its sides,
// a portrait one its top and bottom.
struct SaveThumbnailCrop
{
    float u0 = 0.0f, u1 = 1.0f, v0 = 0.0f, v1 = 1.0f;
};

class SaveThumbnails
{
public:
    // Longest side of a kept picture; a strip shows it at about 70 pixels.
    static constexpr int kMaxSide = 256;

    // The picture of the file at path, or null when it cannot be read.
    std::shared_ptr<SaveThumbnail> Get(const std::string& path);
    static SaveThumbnailCrop CropFor(int width, int height);
    // Pictures currently alive (for tests).
    int LiveCount() const;

private:
    struct Entry
    {
        std::weak_ptr<SaveThumbnail> picture;
        int64_t stamp = 0;
        uintmax_t size = 0;
    };
    std::map<std::string, Entry> m_entries;
};
