// The frame's tile jobs.
#include "gui/factory/view/FloorTileJobs.h"

#include "gui/factory/floor/FloorTileBatch.h"
#include "gui/factory/floor/GUI_FloorTileManager.h"
#include "gui/factory/objects/GUI_ResourceConveyor.h"
#include "gui/factory/scene/FactoryFrameView.h"
#include "sim/SIM_ThreadManager.h"

#include <algorithm>
#include <cmath>

FloorTileJobs::FloorTileJobs(const FloorGrid& grid, const FactoryFrameView& view, FactoryJobClock& clock)
    : m_grid(grid), m_view(view)
{
    for (int k = 0; k < kJobs; ++k)
    {
        m_jobs[k].owner = this;
        m_jobs[k].part = k;
        m_jobs[k].clock = &clock;
    }
}

void FloorTileJobs::Post(int frame)
{
    m_frame = frame;
    Plan();
    for (auto& job : m_jobs)
        PostFactoryViewJob(TRANSFORMTILES, job);
}

void FloorTileJobs::QueueObjects(IsometricDrawQueue& queue) const
{
    for (const auto& job : m_jobs)
    {
        uint32_t begin = 0;
        for (const TileJob::Step& step : job.steps)
        {
            const IsometricDrawQueue::Staged* arms = job.staged.data() + begin;
            const uint32_t count = step.stagedEnd - begin;
            begin = step.stagedEnd;
            if (!step.tile)
            {
                queue.AppendStagedRun(arms, job.stagedKeys.data() + (arms - job.staged.data()), count,
                                      job.stagedTexture, job.stagedMixed);
                continue;
            }
            step.tile->QueueWalls(m_view, queue);
            step.tile->DrawObjects(m_view, queue, arms, count);
        }
    }
}

void FloorTileJobs::Clear()
{
    for (auto& job : m_jobs)
    {
        job.visible = 0;
        job.rowBegin = job.rowEnd = 0;
        job.outlined.clear();
        job.unbatched.clear();
    }
}

size_t FloorTileJobs::UnbatchedCount() const
{
    size_t count = 0;
    for (const auto& job : m_jobs)
        count += job.unbatched.size();
    return count;
}

int FloorTileJobs::VisibleCount() const
{
    int visible = 0;
    for (const auto& job : m_jobs)
        visible += job.visible;
    return visible;
}

void FloorTileJobs::Plan()
{
    // Rows that can hold a visible tile, then split into four parts of about equal tile counts.
    const FactoryFrameView& v = m_view;
    const float z = std::max(v.zoom, 0.0001f);
    const float uLow = ((-v.screenWidth * 0.5f) / z + v.cameraX) / 256.0f - 2.0f;
    const float uHigh = ((v.screenWidth * 0.5f) / z + v.cameraX) / 256.0f + 2.0f;
    const float sLow = ((-v.screenHeight * 0.5f) / z + v.cameraY) / 128.0f - 2.0f;
    const float sHigh = ((v.screenHeight * 0.5f + 256.0f) / z + v.cameraY) / 128.0f + 2.0f;
    // x = (u + s) / 2.
    int rowBegin = static_cast<int>(std::floor((static_cast<double>(uLow) + sLow) / 2.0)) - 1;
    int rowEnd = static_cast<int>(std::ceil((static_cast<double>(uHigh) + sHigh) / 2.0)) + 2;
    rowBegin = std::clamp(rowBegin, 0, m_grid.Width());
    rowEnd = std::clamp(rowEnd, rowBegin, m_grid.Width());
    long long total = 0;
    for (int row = rowBegin; row < rowEnd; ++row)
    {
        int first = 0, last = -1;
        m_grid.VisibleColumns(m_view, row, first, last);
        total += std::max(0, last - first + 1);
    }
    long long running = 0;
    int row = rowBegin;
    for (int k = 0; k < 4; ++k)
    {
        TileJob& job = m_jobs[k];
        job.rowBegin = row;
        const long long target = total * (k + 1) / 4;
        while (row < rowEnd && (running < target || k == 3))
        {
            int first = 0, last = -1;
            m_grid.VisibleColumns(m_view, row, first, last);
            running += std::max(0, last - first + 1);
            ++row;
        }
        job.rowEnd = row;
    }
}

void FloorTileJobs::TileJob::Run()
{
    visible = 0;
    unbatched.clear();
    staged.clear();
    steps.clear();
    outlined.clear();
    const FloorGrid& grid = owner->m_grid;
    const FactoryFrameView& view = owner->m_view;
    const int frame = owner->m_frame;
    const auto& batches = GUI_FloorTileManager::Instance().GetBatches();
    stagedKeys.clear();
    stagedTexture = nullptr;
    stagedMixed = false;
    // Runs of tiles with nothing but arms share one step: their arms are appended at once. The
    // arms' keys, and whether they all share one batch texture, are noted while they are at hand.
    auto endStep = [this](GUI_Tile* tile) {
        for (size_t i = stagedKeys.size(); i < staged.size(); ++i)
        {
            if (i == 0)
                stagedTexture = staged[i].box.texture;
            stagedKeys.push_back(staged[i].key);
            stagedMixed = stagedMixed || staged[i].selfDrawn || staged[i].box.texture != stagedTexture;
        }
        const auto end = static_cast<uint32_t>(staged.size());
        if (tile)
            steps.push_back({tile, end});
        else if (!steps.empty() && !steps.back().tile)
            steps.back().stagedEnd = end;
        else
            steps.push_back({nullptr, end});
    };
    for (int row = rowBegin; row < rowEnd; ++row)
    {
        int first = 0, last = -1;
        grid.VisibleColumns(view, row, first, last);
        if (first > last)
            continue;
        const size_t base = static_cast<size_t>(row) * static_cast<size_t>(grid.Height()) + static_cast<size_t>(first);
        GUI_Tile* tile = grid.TileAt(base);
        const FloorCell* cell = grid.CellAt(base);
        const FloorArms* arms = grid.ArmsAt(base);
        for (int column = first; column <= last; ++column, ++tile, ++cell, ++arms)
        {
            // Most tiles are read only through their cells, and conveyor tiles through their arms
            // as well. The others are asked for some tiles ahead; so is the simulation's conveyor
            // piece of an arms-only tile, which says which arms show.
            if (column + 8 <= last && cell[8].busy)
            {
                if (cell[8].armsOnly)
                    __builtin_prefetch(arms[8].conveyor);
                else
                {
                    const auto* ahead = reinterpret_cast<const char*>(tile + 8);
                    __builtin_prefetch(ahead, 1);
                    __builtin_prefetch(ahead + sizeof(GUI_Tile) - 1, 1);
                }
            }
            float x = 0, y = 0;
            GUI_Tile::ScreenPosition(view, row, column, x, y);
            if (!GUI_Tile::IsQuadOnScreen(view, x, y))
                continue;
            ++visible;
            // A batch number the manager no longer has (its batches were let go) draws the tile
            // as a picture without a batch.
            const bool batched = cell->batch != 0 && cell->batch <= batches.size();
            if (batched)
                batches[cell->batch - 1]->Add(part, x, y, cell->colour);
            const float worldY = 128.0f * static_cast<float>(row + column);
            if (cell->armsOnly && batched)
            {
                GUI_ResourceConveyor::StageArms(arms->view, arms->conveyor, arms->ends, view, x, y, worldY, staged);
                endStep(nullptr);
                continue;
            }
            if (cell->busy || !batched)
                tile->Transform(view, x, y, frame);
            if (!batched)
                unbatched.push_back(tile);
            if (!cell->busy)
                continue;
            if (tile->IsOutlineRequested())
                outlined.push_back(tile);
            if (const SIM_ResourceConveyor* conveyor = tile->GetArmsConveyor())
                GUI_ResourceConveyor::StageArms(tile->GetConveyorView(), conveyor, tile->ArmsEnd(), view, x, y, worldY,
                                                staged);
            endStep(tile->NeedsMainThreadDraw(view) ? tile : nullptr);
        }
    }
}
