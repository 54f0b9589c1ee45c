// Compiles a source animation (a description plus one picture per frame) into a sprite sheet that
// holds every distinct 8 x 8 cell of its frames once, and a ".anim" description that lists, frame
// by frame, which stored cell shows at each cell position. Runs at start-up for animations whose
// ".anim" is missing; the sheet is drawn on the graphics device and saved as a DDS picture.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

class PTexture;

class GUI_AnimationCompressor
{
public:
    static constexpr int kCellsPerSide = 8;
    static constexpr int kCellsPerFrame = kCellsPerSide * kCellsPerSide;
    // A description asking for more frames than this is refused rather than allocated.
    static constexpr int kMaxFrames = 65536;

    enum class Result
    {
        Skipped,  // the ".anim" exists already
        Compiled, // sheet and ".anim" written
        Refused,  // the animation cannot be compiled; logged, nothing written
    };

    // One 8 x 8 cell of one frame.
    struct Cell
    {
        float uMin = 0.0f, vMin = 0.0f, uMax = 0.0f, vMax = 0.0f; // in its frame, texture coordinates
        int32_t checksum = 0;
        float x0 = 0.0f, y0 = 0.0f, x1 = 0.0f, y1 = 0.0f; // on the sprite sheet, pixels
        int32_t refCount = 0;                             // frames showing it; above 0 makes it stored
        int32_t frame = 0;                                // the frame picture it comes from
        bool transparent = false;
    };

    // The 64 cell references of one frame (-1: transparent).
    struct FrameRecord
    {
        int32_t cells[kCellsPerFrame];
        int32_t count = kCellsPerFrame;
    };

    // Compiles every "*.txt" of the source folder that has no ".anim" yet, in listing order.
    void CompileAnimations(const std::string& sourceFolder = "data/animations");
    // Compiles one source description unless source path + ".anim" exists.
    Result CompileAnimation(const std::string& sourcePath);

    // Where sheets are written; the folder is made and registered with the texture manager when
    // missing, so the game finds a new sheet by name in the same run.
    void SetSheetFolder(const std::string& folder) { m_sheetFolder = folder; }

    // The position-weighted sum of the bytes of the pixels x0 <= x < x1, y0 <= y < y1 (coordinates
    // in the whole frame, rows pitch bytes apart, 4 bytes a pixel), wrapping like a 32-bit integer;
    // -1 for an empty rectangle or one whose pixels all have alpha 0.
    static int32_t Checksum(const uint8_t* pixels, int pitch, int x0, int y0, int x1, int y1);
    // The sheet size for a number of stored cells of cellWidth x cellHeight pixels; false when the
    // cells would not all lie on a sheet the sprite-sheet target can hold.
    static bool SheetSize(int storedCells, int cellWidth, int cellHeight, int& width, int& height);
    // The name of frame i's picture: prefix, the number with at least four digits, ".png".
    static std::string FrameImageName(const std::string& prefix, int frame);

    // What the last compilation produced (for tests and the tool's report).
    const std::vector<FrameRecord>& GetFrameRecords() const { return m_frames; }
    int GetStoredCellCount() const { return m_storedCells; }
    int GetSheetWidth() const { return m_sheetWidth; }
    int GetSheetHeight() const { return m_sheetHeight; }

private:
    bool ReadAnimationConfig(const std::string& sourcePath);
    void BuildChunkTable();
    bool BuildCRCs(int frame);
    bool DeduplicateFrame(int frame, const uint8_t* pixels, int pitch);
    bool RenderSpriteSheet();
    bool SaveSpriteSheet(PTexture* target);
    bool WriteAnimFile(const std::string& animPath);
    void TraceChecksumCollisions() const;
    bool SameCellPixels(int32_t stored, const uint8_t* pixels, int pitch, int column, int row) const;
    void KeepCellPixels(int32_t cell, const uint8_t* pixels, int pitch, int column, int row);
    void CompareRegion(int column, int row, int& x0, int& y0, int& x1, int& y1) const;
    void Reset();

    // The source description.
    int m_totalFrames = 0;
    std::string m_name;
    std::string m_particles;
    std::string m_frameName;
    std::string m_sourcePath;
    int m_frameWidth = 0;
    int m_frameHeight = 0;

    // The cell table, the frames' references and the stored cells.
    std::vector<Cell> m_cells;
    std::vector<FrameRecord> m_frames;
    int m_cellCounter = 0;
    int m_storedCells = 0;
    // Checksum to the stored cells that have it, lowest cell first. A checksum only proposes a
    // match; the bytes decide, so no visible cell is ever merged with a different one.
    std::unordered_map<int32_t, std::vector<int32_t>> m_storedByChecksum;
    // The pixels of every stored cell, kept to confirm later matches.
    std::unordered_map<int32_t, size_t> m_storedPixelOffset;
    std::vector<uint8_t> m_storedPixels;

    int m_sheetWidth = 0;
    int m_sheetHeight = 0;
    std::string m_sheetFolder = "data/bitmaps/animations";
};

// Start-up: compiles every game animation whose ".anim" is missing. Main thread, after the render
// targets, the texture cache and the post-processor exist.
void CompileAnimations();
