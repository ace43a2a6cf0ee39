// A map from item identifiers to hints (where a record lies in the file, which table index holds an
// id), kept in one array with open addressing: a lookup usually touches a single cache line, where a
// node-based hash map follows two or three pointers. The wallet looks up a hint for every card a
// reader goes through, in an order that has nothing to do with the file's.
//
// Hints are optional everywhere they are used, so running out of memory empties the map rather than
// failing: Set and Add then report false and the caller goes on without the hint.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <new>
#include <vector>

#include "model/ItemId.h"

namespace tl5 {

template <typename V>
class IdHints {
public:
    size_t Size() const { return count_; }

    V* Find(const ItemId& id) {
        const size_t at = Slot(id);
        return at == kNone ? nullptr : &slots_[at].value;
    }
    const V* Find(const ItemId& id) const {
        const size_t at = Slot(id);
        return at == kNone ? nullptr : &slots_[at].value;
    }

    // Inserts or replaces.
    bool Set(const ItemId& id, V value) { return Put(id, value, true); }
    // Inserts unless the id is there already (its value then stays).
    bool Add(const ItemId& id, V value) { return Put(id, value, false); }

    void Erase(const ItemId& id) {
        const size_t at = Slot(id);
        if (at != kNone) EraseSlot(at);
    }

    // Room for n entries without growing again (false, the map as it was, when memory runs out).
    bool Reserve(size_t n) {
        size_t capacity = slots_.empty() ? kFirstCapacity : slots_.size();
        while (n * 10 > capacity * 7) capacity *= 2;
        return capacity == slots_.size() || Rehash(capacity);
    }

    void Clear() {
        std::vector<Entry>().swap(slots_);
        count_ = 0;
    }

    // Calls keep(id, value&) for every entry; it may change the value, and the entries for which it
    // returns false are erased.
    template <typename Keep>
    void Update(Keep&& keep) {
        std::vector<ItemId> gone;
        try {
            for (Entry& e : slots_) {
                if (e.used && !keep(e.id, e.value)) gone.push_back(e.id);
            }
        } catch (const std::bad_alloc&) {
            Clear();
            return;
        }
        for (const ItemId& id : gone) Erase(id);
    }

private:
    struct Entry {
        ItemId id;
        V value{};
        bool used = false;
    };
    static constexpr size_t kNone = static_cast<size_t>(-1);
    static constexpr size_t kFirstCapacity = 64;  // a power of two

    size_t Home(const ItemId& id) const {
        uint64_t a, b;
        std::memcpy(&a, id.bytes, 8);
        std::memcpy(&b, id.bytes + 8, 8);
        uint64_t h = (a ^ (b * 0x9E3779B97F4A7C15ull)) * 0xBF58476D1CE4E5B9ull;
        h ^= h >> 31;
        return static_cast<size_t>(h) & (slots_.size() - 1);
    }

    size_t Slot(const ItemId& id) const {
        if (slots_.empty()) return kNone;
        const size_t mask = slots_.size() - 1;
        for (size_t at = Home(id);; at = (at + 1) & mask) {
            const Entry& e = slots_[at];
            if (!e.used) return kNone;
            if (e.id == id) return at;
        }
    }

    bool Put(const ItemId& id, V value, bool replace) {
        // At most 70% full, so that probe runs stay short and a free slot always ends them.
        if ((count_ + 1) * 10 > slots_.size() * 7 && !Grow()) return false;
        const size_t mask = slots_.size() - 1;
        for (size_t at = Home(id);; at = (at + 1) & mask) {
            Entry& e = slots_[at];
            if (!e.used) {
                e.id = id;
                e.value = value;
                e.used = true;
                ++count_;
                return true;
            }
            if (e.id == id) {
                if (replace) e.value = value;
                return true;
            }
        }
    }

    bool Grow() {
        if (Rehash(slots_.empty() ? kFirstCapacity : slots_.size() * 2)) return true;
        Clear();
        return false;
    }

    // Moves the entries into an array of the capacity (a power of two); false, nothing changed, when
    // memory runs out.
    bool Rehash(size_t capacity) {
        std::vector<Entry> old;
        try {
            old.resize(capacity);
        } catch (const std::bad_alloc&) {
            return false;
        }
        old.swap(slots_);
        count_ = 0;
        const size_t mask = slots_.size() - 1;
        for (const Entry& e : old) {
            if (!e.used) continue;
            size_t at = Home(e.id);
            while (slots_[at].used) at = (at + 1) & mask;
            slots_[at] = e;
            ++count_;
        }
        return true;
    }

    // Removes the entry and moves later entries of its probe run back, so that no run is broken.
    void EraseSlot(size_t hole) {
        const size_t mask = slots_.size() - 1;
        slots_[hole].used = false;
        --count_;
        for (size_t at = (hole + 1) & mask; slots_[at].used; at = (at + 1) & mask) {
            const size_t home = Home(slots_[at].id);
            // The entry stays when its home lies cyclically in (hole, at].
            const bool stays = hole <= at ? (hole < home && home <= at) : (hole < home || home <= at);
            if (stays) continue;
            slots_[hole] = slots_[at];
            slots_[at].used = false;
            hole = at;
        }
    }

    std::vector<Entry> slots_;
    size_t count_ = 0;
};

}  // namespace tl5
