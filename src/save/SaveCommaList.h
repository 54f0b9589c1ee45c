// The items of a comma list in a savegame ("a,b,c,"): every item is followed by its comma, so the
// empty piece after the last comma is no item. A double-quoted stretch is not split, as the
// engine's tokenizer does, so files of other writers read the same.
#pragma once
#include <string>
#include <string_view>

class SaveCommaList
{
public:
    // The list keeps a view of the text, which must outlive it.
    explicit SaveCommaList(std::string_view text) : m_text(text) {}
    explicit SaveCommaList(std::string&&) = delete;

    bool HasNext() const { return m_position < m_text.size(); }
    // Longest item kept: every number and name the game writes into a list is far shorter.
    static constexpr size_t kMaxItem = 256;

    // The next item, quotes removed and trailing blanks stripped; "" once the list is used up,
    // and for an item longer than kMaxItem (a damaged file), which is never copied whole.
    const std::string& Next();
    // The next item as Next gives it, without a copy when it holds no quote (numbers never do).
    std::string_view NextView();
    int NextInt();
    float NextFloat();
    // The next item as an integer written whole (savetext::ParseWholeInt): true with the value;
    // false for any other item, `value` then being what NextInt would give.
    bool NextWholeInt(int& value);

    // The item the last Next or NextView cut for its length, as the text holds it (for the line
    // that names it); empty when that item was whole.
    std::string_view CutItem() const { return m_cut; }

private:
    std::string_view m_text;
    size_t m_position = 0;
    std::string m_item;
    std::string_view m_cut;
};
