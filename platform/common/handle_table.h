// Checked handles: every handle the layer gives out is an index into a table
// plus a generation and a table tag, so a stale, forged or foreign handle is
// recognised and refused instead of being dereferenced.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

namespace layer {

template <typename T>
class HandleTable {
public:
    // tag: 1..7, unique per table, so a handle of one kind is never taken for another.
    explicit HandleTable(uint32_t tag) : tag_(tag) {}

    uintptr_t Add(std::unique_ptr<T> object) {
        uint32_t index;
        if (!free_.empty()) {
            index = free_.back();
            free_.pop_back();
        } else {
            index = static_cast<uint32_t>(slots_.size());
            if (index >= kMaxSlots) return 0;
            slots_.push_back(Slot{});
        }
        slots_[index].object = std::move(object);
        return Encode(index, slots_[index].generation);
    }

    // The live object behind a handle, or nullptr.
    T* Get(uintptr_t handle) const {
        uint32_t index;
        if (!Decode(handle, &index)) return nullptr;
        return slots_[index].object.get();
    }

    // Removes and returns the object; the handle is stale from now on.
    std::unique_ptr<T> Take(uintptr_t handle) {
        uint32_t index;
        if (!Decode(handle, &index) || !slots_[index].object) return nullptr;
        std::unique_ptr<T> object = std::move(slots_[index].object);
        slots_[index].generation = (slots_[index].generation + 1) & kGenerationMask;
        free_.push_back(index);
        return object;
    }

    bool Remove(uintptr_t handle) { return Take(handle) != nullptr; }

    // Calls f(handle, object) for each live object, in creation-slot order.
    template <typename F>
    void ForEach(F f) const {
        for (uint32_t i = 0; i < slots_.size(); ++i)
            if (slots_[i].object) f(Encode(i, slots_[i].generation), slots_[i].object.get());
    }

    size_t Count() const { return slots_.size() - free_.size(); }

private:
    static constexpr uint32_t kIndexBits = 20;
    static constexpr uint32_t kMaxSlots = (1u << kIndexBits) - 1;
    static constexpr uint32_t kGenerationMask = 0xff;

    struct Slot {
        uint32_t generation = 0;
        std::unique_ptr<T> object;
    };

    uintptr_t Encode(uint32_t index, uint32_t generation) const {
        return (uintptr_t(tag_) << 28) | (uintptr_t(generation) << kIndexBits) | (index + 1);
    }

    bool Decode(uintptr_t handle, uint32_t* index) const {
        if (handle >> 32 != 0) return false;
        if ((handle >> 28) != tag_) return false;
        uint32_t raw = handle & ((1u << kIndexBits) - 1);
        if (raw == 0 || raw > slots_.size()) return false;
        uint32_t generation = (handle >> kIndexBits) & kGenerationMask;
        if (slots_[raw - 1].generation != generation || !slots_[raw - 1].object) return false;
        *index = raw - 1;
        return true;
    }

    uint32_t tag_;
    std::vector<Slot> slots_;
    std::vector<uint32_t> free_;
};

// Table tags in use, one per kind of handle.
enum HandleTag : uint32_t {
    kTagGdiObject = 1,  // bitmaps, pens, brushes, fonts
    kTagDc = 2,
    kTagWindow = 3,     // user32 adds the owner's pid in the upper half of an HWND
    kTagRegistryKey = 4,
    kTagKernelObject = 5,  // files
    kTagDde = 6,        // conversations, string and data handles
    kTagUserObject = 7, // icons, cursors
};

}  // namespace layer
