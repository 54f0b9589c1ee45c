// One compiled animation as read from its ".anim" description: every frame is an 8 x 8 grid of
// references to cells stored once on a sprite sheet, plus the named sequences robots play and the
// flip-book effect their props start.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

// The 64 chunk numbers of one frame, row by row from the top; -1 is a transparent cell.
struct CompressedAnimFrame
{
    static constexpr int kCells = 64;
    std::array<int32_t, kCells> cells;
};

struct CompressedAnimSection
{
    std::string name;
    int32_t startFrame = 0;
    int32_t endFrame = 0;
};

// Where one stored chunk lies on the sprite sheet, in texture coordinates.
struct CompressedAnimChunk
{
    float uMin = 0.0f, vMin = 0.0f, uMax = 0.0f, vMax = 0.0f;
    int32_t chunkNumber = 0;
};

class GUI_CompressedAnimation
{
public:
    // Reads one ".anim" file. False when the file is unusable (no frame, or no sheet size): such
    // an animation would draw from nowhere, so the store does not keep it.
    bool Load(const std::string& path);

    // Frame i; a frame past either end is all transparent, so a prop that asks for too much draws
    // nothing rather than reading past the frames.
    const CompressedAnimFrame& GetFrame(int i) const;
    // The chunk of that number, or null (reported through the error box).
    const CompressedAnimChunk* FindChunk(int32_t chunkNumber) const;
    // The first sequence of exactly that name, or null.
    const CompressedAnimSection* FindSection(const std::string& name) const;

    int GetFrameCount() const { return m_frameCount; }
    const std::string& GetName() const { return m_name; }
    const std::string& GetSpriteSheetName() const { return m_spriteSheet; }
    const std::string& GetParticles() const { return m_particles; }
    int GetAtlasWidth() const { return m_atlasWidth; }
    const std::vector<CompressedAnimSection>& GetSections() const { return m_sections; }
    const std::vector<CompressedAnimChunk>& GetChunks() const { return m_chunks; }

private:
    std::string m_particles;
    int m_frameCount = -1;
    std::string m_name;
    std::string m_spriteSheet;
    int m_atlasWidth = 0;
    int m_atlasHeight = 0;
    std::vector<CompressedAnimFrame> m_frames;
    std::vector<CompressedAnimSection> m_sections;
    std::vector<CompressedAnimChunk> m_chunks;
    // Chunk number to the index of its first record: every drawn cell looks its chunk up.
    std::unordered_map<int32_t, size_t> m_chunkIndex;
};
