// Registries of the simulation keep plain lists of pointers in order of registration; these add
// an entry once and take one off again.
#pragma once
#include <algorithm>
#include <vector>

template <class T>
bool AddPointerOnce(std::vector<T*>& list, T* item)
{
    if (!item || std::find(list.begin(), list.end(), item) != list.end())
        return false;
    list.push_back(item);
    return true;
}

template <class T, class Container>
bool RemovePointer(Container& list, T* item)
{
    auto it = std::find(list.begin(), list.end(), item);
    if (it == list.end())
        return false;
    list.erase(it);
    return true;
}
