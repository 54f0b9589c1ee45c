// Depth sort and batched drawing of the factory scene.
#include "gui/factory/scene/IsometricDrawQueue.h"

#include "engine/GScreenSize.h"
#include "engine/GShaderEffect.h"
#include "engine/GVertexBuffer.h"
#include "gui/factory/scene/GUI_IsometricSprite.h"
#include "gui/factory/scene/SceneTexturePages.h"

#include <algorithm>
#include <cstring>

IsometricDrawQueue& IsometricDrawQueue::Instance()
{
    static IsometricDrawQueue queue;
    return queue;
}

template <class FindPlace>
void IsometricDrawQueue::Prepare(GUI_IsometricObject* object, Staged& out, FindPlace&& findPlace)
{
    out.object = object;
    out.key = SortKey(object->GetDepth());
    out.selfDrawn = object->m_type != GUI_IsometricObject::kTypeSprite;
    Box& box = out.box;
    Quad& quad = out.quad;
    if (out.selfDrawn)
    {
        box = Box{0.0f, 0.0f, 0.0f, 0.0f, nullptr, nullptr};
        quad.place = nullptr;
        return;
    }
    const CTexturedSprite& sprite = static_cast<GUI_IsometricSprite*>(object)->m_sprite;
    box.effect = static_cast<GUI_IsometricSprite*>(object)->m_effect;
    std::memcpy(quad.corners, sprite.m_vertices, sizeof quad.corners);
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
    // A picture with a copy on a scene page batches with everything else on that page.
    const SceneTexturePages::Place* place = findPlace(sprite.m_texture.Get());
    box.texture = place ? place->page : sprite.m_texture.Get();
    quad.place = place;
}

void IsometricDrawQueue::Push(const Staged& staged)
{
    const auto index = static_cast<uint32_t>(m_objects.size());
    m_objects.push_back(staged.object);
    m_keys.push_back(staged.key);
    m_order.push_back(index);
    m_quads.push_back(staged.quad);
    m_boxes.push_back(staged.box);
    m_selfDrawn.push_back(staged.selfDrawn ? 1 : 0);
}

void IsometricDrawQueue::Append(GUI_IsometricObject* object)
{
    Staged staged{};
    const SceneTexturePages& pages = SceneTexturePages::Instance();
    Prepare(object, staged, [&pages](const CLoadedTexture* texture) { return pages.Find(texture); });
    Push(staged);
}

void IsometricDrawQueue::Stage(GUI_IsometricSprite& sprite, std::vector<Staged>& out)
{
    const SceneTexturePages& pages = SceneTexturePages::Instance();
    thread_local SceneTexturePages::Memo memo;
    Prepare(&sprite, out.emplace_back(),
            [&pages](const CLoadedTexture* texture) { return pages.Lookup(texture, memo); });
}

void IsometricDrawQueue::AppendStaged(const Staged* staged, size_t count)
{
    for (size_t i = 0; i < count; ++i)
        Push(staged[i]);
}

void IsometricDrawQueue::Clear()
{
    m_objects.clear();
    m_keys.clear();
    m_order.clear();
    m_quads.clear();
    m_boxes.clear();
    m_selfDrawn.clear();
}

std::vector<GUI_IsometricObject*> IsometricDrawQueue::GetObjects() const
{
    std::vector<GUI_IsometricObject*> objects;
    objects.reserve(m_order.size());
    for (uint32_t index : m_order)
        objects.push_back(m_objects[index]);
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
    // A stable radix sort on the depth keys, three passes of eleven bits: tens of thousands of
    // objects zoomed far out are sorted in a fraction of what comparing them would take, in the
    // same order a stable comparison sort by depth gives.
    const size_t n = m_order.size();
    m_sortKeys.resize(n);
    m_sortOrder.resize(n);
    for (int shift = 0; shift < 32; shift += 11)
    {
        size_t counts[2049] = {};
        for (uint32_t key : m_keys)
            ++counts[((key >> shift) & 0x7FFu) + 1];
        for (size_t d = 1; d < 2049; ++d)
            counts[d] += counts[d - 1];
        for (size_t i = 0; i < n; ++i)
        {
            const size_t at = counts[(m_keys[i] >> shift) & 0x7FFu]++;
            m_sortKeys[at] = m_keys[i];
            m_sortOrder[at] = m_order[i];
        }
        m_keys.swap(m_sortKeys);
        m_order.swap(m_sortOrder);
    }
}

int IsometricDrawQueue::AssignBatches()
{
    m_batchOf.resize(m_objects.size());
    // Zoomed far out the whole scene often comes from one scene page: with a single texture and
    // nothing that draws itself, every object joins the first batch whatever overlaps it, and
    // the overlap grid (finest when zoomed out) need not be walked.
    if (m_objects.empty())
        return 0;
    bool single = m_selfDrawn[0] == 0;
    const CLoadedTexture* only = m_boxes[0].texture;
    const GShaderEffect* onlyEffect = m_boxes[0].effect;
    for (size_t i = 1; single && i < m_boxes.size(); ++i)
        single = m_selfDrawn[i] == 0 && m_boxes[i].texture == only && m_boxes[i].effect == onlyEffect;
    if (single)
    {
        std::fill(m_batchOf.begin(), m_batchOf.end(), 0);
        return 1;
    }
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
        if (m_selfDrawn[index] != 0)
        {
            barrier = batches;
            m_batchOf[index] = batches++;
            continue;
        }
        const Box& box = m_boxes[index];
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

void IsometricDrawQueue::Flush(GShaderEffect* look)
{
    const int batches = AssignBatches();
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
    GVertexBuffer& batch = SharedVertexBatch();
    for (int b = 0; b < batches; ++b)
    {
        const int first = m_batchStart[static_cast<size_t>(b)], last = m_batchStart[static_cast<size_t>(b) + 1];
        if (first == last)
            continue;
        const uint32_t head = m_ordered[static_cast<size_t>(first)];
        if (m_selfDrawn[head] != 0)
        {
            batch.Flush();
            m_objects[head]->Draw();
            continue;
        }
        GShaderEffect* effect = m_boxes[head].effect;
        // A batch drawn through an effect starts afresh even on the same texture: what is queued
        // so far is drawn plainly first.
        if (effect)
            batch.Flush();
        CLoadedTextureRef texture;
        texture.Set(const_cast<CLoadedTexture*>(m_boxes[head].texture));
        batch.SetTexture(&texture);
        for (int i = first; i < last; ++i)
        {
            const Quad& quad = m_quads[m_ordered[static_cast<size_t>(i)]];
            const auto* place = static_cast<const SceneTexturePages::Place*>(quad.place);
            if (!place)
            {
                batch.AddQuad(quad.corners);
                continue;
            }
            // Drawn from the picture's copy on its page.
            PVertex corners[4];
            for (int k = 0; k < 4; ++k)
            {
                corners[k] = quad.corners[k];
                corners[k].u = corners[k].u * place->scaleU + place->offsetU;
                corners[k].v = corners[k].v * place->scaleV + place->offsetV;
            }
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
