#pragma once

#include <stdexcept>
#include <vector>

namespace qel {

// List of heap objects that the list owns: whatever leaves it is deleted.
template <typename T>
class TItems {
public:
    TItems() = default;
    ~TItems() { Clear(); }
    TItems(const TItems&) = delete;
    TItems& operator=(const TItems&) = delete;

    // The list owns `item` from now on. If growing fails the list is unchanged
    // and the caller keeps the item.
    void Add(T* item) { FItems.push_back(item); }

    T* Get(int index) const
    {
        if (index < 0 || index >= Count())
            throw std::out_of_range("qel::TItems::Get: index out of range");
        return FItems[static_cast<std::size_t>(index)];
    }

    int Count() const { return static_cast<int>(FItems.size()); }

    void Clear()
    {
        for (T* item : FItems)
            delete item;
        FItems.clear();
    }

    // keepOrder: the items behind `index` move up one place; otherwise the
    // last item takes the freed place. A bad index does nothing.
    void Delete(int index, bool keepOrder)
    {
        if (index < 0 || index >= Count())
            return;
        const auto i = static_cast<std::size_t>(index);
        T* item = FItems[i];
        if (keepOrder) {
            for (std::size_t p = i; p + 1 < FItems.size(); ++p)
                std::swap(FItems[p], FItems[p + 1]);
        } else if (i + 1 != FItems.size()) {
            std::swap(FItems[i], FItems.back());
        }
        FItems.pop_back();
        delete item;
    }

    void Remove(T* item, bool keepOrder)
    {
        if (!item)
            return;
        for (std::size_t p = 0; p < FItems.size(); ++p) {
            if (FItems[p] == item) {
                Delete(static_cast<int>(p), keepOrder);
                return;
            }
        }
    }

    void Reserve(int n) { FItems.reserve(static_cast<std::size_t>(n)); }

private:
    std::vector<T*> FItems;
};

} // namespace qel
