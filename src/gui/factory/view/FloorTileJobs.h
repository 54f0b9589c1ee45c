// The TRANSFORMTILES jobs of a frame: the rows of the floor the camera can see, split into four
// jobs of about equal tile counts. Each job places its visible tiles, adds the batched floors,
// stages the conveyor arms and notes, in the floor's order, what the main thread then draws of the
// busy tiles; it also lists the tiles whose picture has no floor batch and those with an outline
// asked for. Main thread, but for the jobs' bodies on the workers.
#pragma once

#include "gui/factory/scene/FactoryViewJob.h"
#include "gui/factory/scene/IsometricDrawQueue.h"
#include "gui/factory/view/FloorGrid.h"

#include <cstdint>
#include <vector>

class CLoadedTexture;
struct FactoryFrameView;

class FloorTileJobs
{
public:
    // grid and view: the factory view's floor and frame, which outlive the jobs; clock: where the
    // jobs' CPU time is counted.
    FloorTileJobs(const FloorGrid& grid, const FactoryFrameView& view, FactoryJobClock& clock);
    FloorTileJobs(const FloorTileJobs&) = delete;
    FloorTileJobs& operator=(const FloorTileJobs&) = delete;

    // Plans the frame's four jobs and posts them; the caller waits for them.
    void Post(int frame);
    // Main thread, after the jobs: the busy tiles' walls and objects and the runs of arms, in the
    // floor's order.
    void QueueObjects(IsometricDrawQueue& queue) const;
    // Nothing planned (the floor goes).
    void Clear();

    // The tiles drawn this frame, in the floor's order (main thread, after the frame's jobs).
    template <class F>
    void ForEachVisibleTile(F&& f) const
    {
        for (const auto& job : m_jobs)
            for (int row = job.rowBegin; row < job.rowEnd; ++row)
            {
                int first = 0, last = -1;
                m_grid.VisibleColumns(m_view, row, first, last);
                for (int column = first; column <= last; ++column)
                {
                    float x = 0, y = 0;
                    GUI_Tile::ScreenPosition(m_view, row, column, x, y);
                    if (!GUI_Tile::IsQuadOnScreen(m_view, x, y))
                        continue;
                    GUI_Tile& tile = *m_grid.GetTile(row, column);
                    tile.KeepScreenPosition(x, y, m_frame);
                    f(tile);
                }
            }
    }
    // The visible tiles whose picture has no floor batch, and the busy ones with an outline asked
    // for, as the jobs found them.
    template <class F>
    void ForEachUnbatched(F&& f) const
    {
        for (const auto& job : m_jobs)
            for (GUI_Tile* tile : job.unbatched)
                f(*tile);
    }
    size_t UnbatchedCount() const;
    template <class F>
    void ForEachOutlined(F&& f) const
    {
        for (const auto& job : m_jobs)
            for (GUI_Tile* tile : job.outlined)
                f(*tile);
    }
    int VisibleCount() const;

private:
    static constexpr int kJobs = 4;
    // The tiles of some rows that one job places this frame. Each job's lists on lines of their
    // own: the four jobs fill theirs at once.
    struct alignas(64) TileJob : FactoryViewJob
    {
        void Run() override;
        const FloorTileJobs* owner = nullptr;
        int part = 0;
        int rowBegin = 0, rowEnd = 0;
        int visible = 0;
        std::vector<GUI_Tile*> unbatched;
        // The conveyor arms of the busy tiles made ready for the queue.
        std::vector<IsometricDrawQueue::Staged> staged;
        // What the main thread does with the busy tiles, in the floor's order: a tile with more
        // to draw than its arms (walls, a slot's floor things, props) draws them and its arms;
        // a run of tiles with nothing but arms (no tile) appends those at once. Each step's
        // arms end at stagedEnd.
        struct Step
        {
            GUI_Tile* tile;
            uint32_t stagedEnd;
        };
        std::vector<Step> steps;
        // The staged arms' sort keys, and whether they all share one batch texture (the queue
        // takes runs of arms without reading them).
        std::vector<uint32_t> stagedKeys;
        const CLoadedTexture* stagedTexture = nullptr;
        bool stagedMixed = false;
        // The busy tiles whose outline was asked for this frame.
        std::vector<GUI_Tile*> outlined;
    };

    void Plan();

    const FloorGrid& m_grid;
    const FactoryFrameView& m_view;
    int m_frame = 0;
    TileJob m_jobs[kJobs];
};
