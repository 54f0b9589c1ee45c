// A set of small whole numbers (record indices, tile indices) that finds its lowest member at or
// after a given number without walking the numbers in between: the pools and the floor use it so
// that the cost of a frame follows what is happening, not how many records or tiles exist.
#pragma once
#include <cstdint>
#include <vector>

class SIM_IndexSet
{
public:
    static constexpr int32_t kNone = -1;

    SIM_IndexSet() = default;
    explicit SIM_IndexSet(int32_t size) { Resize(size); }

    // Numbers 0 .. size - 1; the set starts empty.
    void Resize(int32_t size);

    void Insert(int32_t index);
    void Erase(int32_t index);
    void Clear();
    // Every number 0 .. size - 1.
    void Fill();

    // The lowest member that is at least `from`, or kNone.
    int32_t FindFrom(int32_t from) const;
    int32_t First() const { return FindFrom(0); }

private:
    int32_t m_size = 0;
    std::vector<uint64_t> m_words;   // bit i of word w: number 64 w + i
    std::vector<uint64_t> m_summary; // bit j of summary word s: word 64 s + j is not zero
};
