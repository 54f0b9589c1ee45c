// Side-effect-free chunk look-up of compiled animations.
#include "gui/factory/props/AnimationChunkTable.h"

#include "gui/toolkit/effects/GUI_CompressedAnimation.h"

namespace
{
std::unordered_map<const GUI_CompressedAnimation*, std::unique_ptr<AnimationChunkTable>>& Tables()
{
    static std::unordered_map<const GUI_CompressedAnimation*, std::unique_ptr<AnimationChunkTable>> tables;
    return tables;
}
} // namespace

const AnimationChunkTable* AnimationChunkTable::For(const GUI_CompressedAnimation* animation)
{
    if (!animation)
        return nullptr;
    auto& tables = Tables();
    auto it = tables.find(animation);
    if (it != tables.end())
        return it->second.get();
    auto table = std::make_unique<AnimationChunkTable>();
    // The first record of a number wins, as in the animation's own look-up.
    for (const CompressedAnimChunk& chunk : animation->GetChunks())
        table->m_chunks.emplace(chunk.chunkNumber, &chunk);
    return tables.emplace(animation, std::move(table)).first->second.get();
}

const CompressedAnimChunk* AnimationChunkTable::Find(int32_t chunkNumber) const
{
    auto it = m_chunks.find(chunkNumber);
    return it == m_chunks.end() ? nullptr : it->second;
}
