// Depth sort and batched drawing of the factory scene.
#include "gui/factory/scene/IsometricDrawQueue.h"

#include "engine/GScreenSize.h"
#include "engine/GShaderEffect.h"
#include "engine/GVertexBuffer.h"
#include "engine/core/GLifetime.h"
#include "gui/factory/scene/GUI_IsometricSprite.h"

#include <algorithm>
#include <cstring>

IsometricDrawQueue& IsometricDrawQueue::Instance()
{
    return GLifetime::Get<IsometricDrawQueue>();
}

template <class FindPlace>
void IsometricDrawQueue::Prepare(GUI_IsometricObject* object, Staged& out, const PVertex* corners,
                                 FindPlace&& findPlace)
{
    out.object = object;
    out.key = SortKey(object->GetDepth());
    out.selfDrawn = object->m_type != GUI_IsometricObject::kTypeSprite;
    out.boxCorners = false;
    Box& box = out.box;
    if (out.selfDrawn)
    {
        box = Box{0.0f, 0.0f, 0.0f, 0.0f, nullptr, nullptr};
        out.look = nullptr;
        out.place = nullptr;
        return;
    }
    const CTexturedSprite& sprite = static_cast<GUI_IsometricSprite*>(object)->m_sprite;
    box.effect = static_cast<GUI_IsometricSprite*>(object)->m_effect;
    out.look = corners;
    const PVertex* v = sprite.m_vertices;
    // An unturned quad's corners are known: top-left first, bottom-right last.
    box.left = v[0].x;
    box.right = v[3].x;
    box.top = v[0].y;
    box.bottom = v[3].y;
    if (sprite.m_angle != 0.0f || box.right < box.left || box.bottom < box.top)
    {
        box.left = box.right = v[0].x;
        box.top = box.bottom = v[0].y;
        for (int k = 1; k < 4; ++k)
        {
            box.left = std::min(box.left, v[k].x);
            box.right = std::max(box.right, v[k].x);
            box.top = std::min(box.top, v[k].y);
            box.bottom = std::max(box.bottom, v[k].y);
        }
    }
    // A picture with a copy on a scene page batches with everything else on that page, and is
    // drawn from its copy.
    const SceneTexturePages::Place* place = findPlace(sprite.m_texture.Get());
    box.texture = place ? place->texture : sprite.m_texture.Get();
    out.place = place;
}

void IsometricDrawQueue::Corners(const Staged& staged, PVertex out[4])
{
    std::memcpy(out, staged.look, 4 * sizeof(PVertex));
    if (staged.boxCorners)
    {
        const Box& b = staged.box;
        out[0].x = b.left;
        out[0].y = b.top;
        out[1].x = b.right;
        out[1].y = b.top;
        out[2].x = b.left;
        out[2].y = b.bottom;
        out[3].x = b.right;
        out[3].y = b.bottom;
    }
    // From the look, not from what was just written: the corners mostly go straight into the
    // card's buffer, which is not for reading back (slow, and reading part of a fresh write stalls).
    if (const auto* place = static_cast<const SceneTexturePages::Place*>(staged.place))
        for (int k = 0; k < 4; ++k)
            place->Map(staged.look[k], out[k]);
}

void IsometricDrawQueue::Push(const Staged* staged)
{
    Note(*staged);
    m_order.push_back(static_cast<uint32_t>(m_entries.size()));
    m_entries.push_back(staged);
    m_keys.push_back(staged->key);
}

void IsometricDrawQueue::Note(const Staged& staged)
{
    if (m_entries.empty())
        m_onlyTexture = staged.box.texture;
    // A painted sprite needs its effect around its batch, which the one-picture draw has not.
    if (staged.selfDrawn || staged.box.texture != m_onlyTexture || staged.box.effect)
        m_mixed = true;
}

IsometricDrawQueue::Staged& IsometricDrawQueue::NewOwnEntry(PVertex*& corners)
{
    if (m_ownUsed == m_ownBlocks.size() * kBlock)
    {
        m_ownBlocks.push_back(std::make_unique<Staged[]>(kBlock));
        m_ownCorners.push_back(std::make_unique<PVertex[]>(kBlock * 4));
    }
    const size_t block = m_ownUsed / kBlock, at = m_ownUsed % kBlock;
    ++m_ownUsed;
    corners = &m_ownCorners[block][at * 4];
    return m_ownBlocks[block][at];
}

void IsometricDrawQueue::Append(GUI_IsometricObject* object)
{
    PVertex* corners = nullptr;
    Staged& staged = NewOwnEntry(corners);
    // Taken now: the object may be placed again before the queue is drawn.
    if (object->m_type == GUI_IsometricObject::kTypeSprite)
        std::memcpy(corners, static_cast<GUI_IsometricSprite*>(object)->m_sprite.m_vertices, 4 * sizeof(PVertex));
    const SceneTexturePages& pages = m_pages;
    Prepare(object, staged, corners, [&pages](const CLoadedTexture* texture) { return pages.Find(texture); });
    Push(&staged);
}

void IsometricDrawQueue::Stage(GUI_IsometricSprite& sprite, std::vector<Staged>& out)
{
    Stage(sprite, out.emplace_back());
}

void IsometricDrawQueue::Stage(GUI_IsometricSprite& sprite, Staged& out)
{
    // The scene's pages are the one queue's: staging runs in the tile jobs, which hold no queue.
    const SceneTexturePages& pages = Instance().m_pages;
    thread_local SceneTexturePages::Memo memo;
    Prepare(&sprite, out, sprite.m_sprite.m_vertices,
            [&pages](const CLoadedTexture* texture) { return pages.Lookup(texture, memo); });
}

void IsometricDrawQueue::AppendStaged(const Staged* staged, size_t count)
{
    // Tens of thousands of arms a frame zoomed far out: the three lists grow once per run.
    const size_t base = m_entries.size();
    m_entries.resize(base + count);
    m_keys.resize(base + count);
    m_order.resize(base + count);
    for (size_t i = 0; i < count; ++i)
    {
        if (base + i == 0)
            m_onlyTexture = staged[i].box.texture;
        if (staged[i].selfDrawn || staged[i].box.texture != m_onlyTexture || staged[i].box.effect)
            m_mixed = true;
        m_entries[base + i] = staged + i;
        m_keys[base + i] = staged[i].key;
        m_order[base + i] = static_cast<uint32_t>(base + i);
    }
}

void IsometricDrawQueue::AppendStagedRun(const Staged* staged, const uint32_t* keys, size_t count,
                                         const CLoadedTexture* onlyTexture, bool mixed)
{
    if (count == 0)
        return;
    const size_t base = m_entries.size();
    if (base == 0)
        m_onlyTexture = onlyTexture;
    if (mixed || onlyTexture != m_onlyTexture)
        m_mixed = true;
    m_entries.resize(base + count);
    m_order.resize(base + count);
    m_keys.insert(m_keys.end(), keys, keys + count);
    for (size_t i = 0; i < count; ++i)
    {
        m_entries[base + i] = staged + i;
        m_order[base + i] = static_cast<uint32_t>(base + i);
    }
}

void IsometricDrawQueue::Clear()
{
    m_entries.clear();
    m_keys.clear();
    m_order.clear();
    m_ownUsed = 0;
    m_onlyTexture = nullptr;
    m_mixed = false;
}

std::vector<GUI_IsometricObject*> IsometricDrawQueue::GetObjects() const
{
    std::vector<GUI_IsometricObject*> objects;
    objects.reserve(m_order.size());
    for (uint32_t index : m_order)
        objects.push_back(m_entries[index]->object);
    return objects;
}

void IsometricDrawQueue::SetCellSize(int pixels)
{
    m_cellSize = std::clamp(pixels, 4, 64);
}

uint32_t IsometricDrawQueue::SortKey(float depth)
{
    uint32_t bits = 0;
    std::memcpy(&bits, &depth, sizeof bits);
    // Negative floats order backwards as bit patterns: all their bits flip; positive ones only
    // gain the sign bit, so they come after every negative one.
    return (bits & 0x80000000u) != 0 ? ~bits : bits | 0x80000000u;
}

void IsometricDrawQueue::Sort()
{
    // A stable radix sort on the depth keys, three passes of 9, 11 and 12 bits: tens of thousands
    // of objects zoomed far out are sorted in a fraction of what comparing them would take, in the
    // same order a stable comparison sort by depth gives. A pass whose digit is the same for every
    // key would leave the order as it is and is skipped: the depths of a floor's things are mostly
    // whole numbers of few bits, whose lowest digit is zero throughout.
    const size_t n = m_order.size();
    m_sortKeys.resize(n);
    m_sortOrder.resize(n);
    static constexpr int kShifts[3] = {0, 9, 20};
    static constexpr int kBits[3] = {9, 11, 12};
    std::vector<size_t>& counts = m_counts;
    for (int pass = 0; pass < 3; ++pass)
    {
        const int shift = kShifts[pass];
        const uint32_t mask = (1u << kBits[pass]) - 1u;
        const size_t buckets = size_t{1} << kBits[pass];
        counts.assign(buckets + 1, 0);
        for (uint32_t key : m_keys)
            ++counts[((key >> shift) & mask) + 1];
        if (n == 0 || counts[((m_keys[0] >> shift) & mask) + 1] == n)
            continue;
        for (size_t d = 1; d <= buckets; ++d)
            counts[d] += counts[d - 1];
        for (size_t i = 0; i < n; ++i)
        {
            const size_t at = counts[(m_keys[i] >> shift) & mask]++;
            m_sortKeys[at] = m_keys[i];
            m_sortOrder[at] = m_order[i];
        }
        m_keys.swap(m_sortKeys);
        m_order.swap(m_sortOrder);
    }
}

int IsometricDrawQueue::AssignBatches()
{
    // Zoomed far out the whole scene often comes from one scene page: with a single texture and
    // nothing that draws itself, every object joins the first batch whatever overlaps it, and
    // the overlap grid (finest when zoomed out) need not be walked. No batch list is made then.
    if (m_entries.empty())
        return 0;
    if (!m_mixed)
        return 1;
    m_batchOf.resize(m_entries.size());
    const int kCell = m_cellSize;
    // The screen and a margin below it, where tall objects of tiles under the screen reach.
    const int columns = std::max(1, GScreenSize::Width() / kCell + 1);
    const int rows = std::max(1, (GScreenSize::Height() + 512) / kCell + 1);
    m_cells.assign(static_cast<size_t>(columns) * static_cast<size_t>(rows), -1);
    m_batchKeyCount = 0;
    const float perCell = 1.0f / static_cast<float>(kCell);
    auto cell = [perCell](float at, int count) {
        // Off the grid's left or top (negative) counts as its first cell.
        const int c = at <= 0.0f ? 0 : static_cast<int>(at * perCell);
        return c < count ? c : count - 1;
    };
    int batches = 0;
    // Everything after an object that draws itself comes after it: its extent is its own affair.
    int barrier = -1;
    for (uint32_t index : m_order)
    {
        const Staged& entry = *m_entries[index];
        if (entry.selfDrawn)
        {
            barrier = batches;
            m_batchOf[index] = batches++;
            continue;
        }
        const Box& box = entry.box;
        const int c0 = cell(box.left, columns), c1 = cell(box.right, columns);
        const int r0 = cell(box.top, rows), r1 = cell(box.bottom, rows);
        // The last batch holding something this sprite may overlap.
        int after = barrier;
        for (int r = r0; r <= r1; ++r)
        {
            const int* line = &m_cells[static_cast<size_t>(r) * static_cast<size_t>(columns)];
            for (int c = c0; c <= c1; ++c)
                after = std::max(after, line[c]);
        }
        // Any batch of this texture and effect from the last one holding something it overlaps
        // on draws it in the right place; the earliest such lets the like objects of a whole
        // screen (the props behind each car, the cars, the props in front) share three batches
        // instead of starting new ones at every station.
        BatchKey* key = nullptr;
        for (size_t k = 0; k < m_batchKeyCount && !key; ++k)
            if (m_batchKeys[k].texture == box.texture && m_batchKeys[k].effect == box.effect)
                key = &m_batchKeys[k];
        if (!key)
        {
            if (m_batchKeyCount == m_batchKeys.size())
                m_batchKeys.emplace_back();
            key = &m_batchKeys[m_batchKeyCount++];
            key->texture = box.texture;
            key->effect = box.effect;
            key->batches.clear();
        }
        // A key's batches are made in increasing order.
        const auto fits = std::lower_bound(key->batches.begin(), key->batches.end(), after);
        int batch = 0;
        if (fits != key->batches.end())
        {
            batch = *fits;
        }
        else
        {
            batch = batches++;
            key->batches.push_back(batch);
        }
        m_batchOf[index] = batch;
        for (int r = r0; r <= r1; ++r)
        {
            int* line = &m_cells[static_cast<size_t>(r) * static_cast<size_t>(columns)];
            for (int c = c0; c <= c1; ++c)
                line[c] = std::max(line[c], batch);
        }
    }
    return batches;
}

void IsometricDrawQueue::FillQuads(PVertex* out, size_t first, size_t count) const
{
    const size_t end = first + count;
    for (size_t i = first; i < end; ++i, out += 4)
    {
        // In depth order the entries are read from all over: asked for some quads ahead.
        if (i + 8 < end)
            __builtin_prefetch(m_entries[m_order[i + 8]]);
        Corners(*m_entries[m_order[i]], out);
    }
}

void IsometricDrawQueue::Flush(GShaderEffect* look)
{
    const int batches = AssignBatches();
    GVertexBuffer& batch = SharedVertexBatch();
    if (batches == 1 && !m_mixed)
    {
        // One picture for everything: the corners go straight to the card in depth order, in
        // long draws rather than through the shared batch.
        m_quads.DrawFilled(const_cast<CLoadedTexture*>(m_entries[0]->box.texture), m_order.size(),
                           [this](PVertex* out, size_t first, size_t count) { FillQuads(out, first, count); });
        Clear();
        m_lastBatches = batches;
        return;
    }
    // Objects by batch, each batch in drawing order.
    m_batchStart.assign(static_cast<size_t>(batches) + 1, 0);
    for (uint32_t index : m_order)
        ++m_batchStart[static_cast<size_t>(m_batchOf[index]) + 1];
    for (int b = 0; b < batches; ++b)
        m_batchStart[static_cast<size_t>(b) + 1] += m_batchStart[static_cast<size_t>(b)];
    m_ordered.resize(m_order.size());
    {
        std::vector<int> next(m_batchStart.begin(), m_batchStart.end() - 1);
        for (uint32_t index : m_order)
            m_ordered[static_cast<size_t>(next[static_cast<size_t>(m_batchOf[index])]++)] = index;
    }
    for (int b = 0; b < batches; ++b)
    {
        const int first = m_batchStart[static_cast<size_t>(b)], last = m_batchStart[static_cast<size_t>(b) + 1];
        if (first == last)
            continue;
        const Staged& head = *m_entries[m_ordered[static_cast<size_t>(first)]];
        if (head.selfDrawn)
        {
            batch.Flush();
            head.object->Draw();
            continue;
        }
        GShaderEffect* effect = head.box.effect;
        // A batch drawn through an effect starts afresh even on the same texture: what is queued
        // so far is drawn plainly first.
        if (effect)
            batch.Flush();
        CLoadedTextureRef texture;
        texture.Set(const_cast<CLoadedTexture*>(head.box.texture));
        batch.SetTexture(&texture);
        for (int i = first; i < last; ++i)
        {
            PVertex corners[4];
            Corners(*m_entries[m_ordered[static_cast<size_t>(i)]], corners);
            batch.AddQuad(corners);
        }
        if (effect)
        {
            effect->Begin();
            batch.Flush();
            effect->End();
            if (look)
                look->Begin();
        }
    }
    batch.Flush();
    Clear();
    m_lastBatches = batches;
}
