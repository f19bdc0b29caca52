#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <unordered_map>
#include <utility>
#include <vector>

namespace tlv {

// Entries in insertion order, each held at most once, with appending, removal of a given entry, the
// first entry and the first lookup after a removal all costing O(1) on average, so that a catalogue can
// take many removals between lookups. Pointer is a raw or an owning pointer type.
template <typename Pointer>
class EntrySequence {
public:
    using Entry = std::remove_reference_t<decltype(*std::declval<Pointer>())>;

    size_t Size() const noexcept { return live_; }

    void Append(Pointer entry) {
        slots_.push_back(std::move(entry));
        ++live_;
        if (indexed_) {
            positions_[std::to_address(slots_.back())] = slots_.size() - 1;
        } else if (slots_.size() > kLinearLimit) {
            IndexPositions();
        }
    }

    // Takes the entry out and hands it back; a null Pointer when it is not held.
    Pointer Take(const Entry* entry) {
        const std::optional<size_t> slot = Locate(entry);
        if (!slot) {
            return Pointer();
        }
        Pointer taken = std::move(slots_[*slot]);
        slots_[*slot] = nullptr;
        if (indexed_) {
            positions_.erase(entry);
        }
        --live_;
        return taken;
    }

    bool Contains(const Entry* entry) const { return Locate(entry).has_value(); }

    // The index-th entry, or null when index is out of range.
    Entry* At(size_t index) {
        if (index >= live_) {
            return nullptr;
        }
        Compact();
        return std::to_address(slots_[index]);
    }

    Entry* First() {
        while (head_ < slots_.size() && slots_[head_] == nullptr) {
            ++head_;
        }
        return head_ < slots_.size() ? std::to_address(slots_[head_]) : nullptr;
    }

    void Clear() noexcept {
        slots_.clear();
        positions_.clear();
        live_ = 0;
        head_ = 0;
        indexed_ = false;
    }

private:
    // Below this many slots a scan finds an entry faster than a lookup.
    static constexpr size_t kLinearLimit = 8;

    std::optional<size_t> Locate(const Entry* entry) const {
        if (entry == nullptr) {
            return std::nullopt;
        }
        if (!indexed_) {
            for (size_t i = 0; i < slots_.size(); ++i) {
                if (std::to_address(slots_[i]) == entry) {
                    return i;
                }
            }
            return std::nullopt;
        }
        const auto found = positions_.find(entry);
        return found == positions_.end() ? std::nullopt : std::optional<size_t>(found->second);
    }

    void IndexPositions() {
        positions_.clear();
        indexed_ = true;
        for (size_t i = 0; i < slots_.size(); ++i) {
            if (slots_[i] != nullptr) {
                positions_[std::to_address(slots_[i])] = i;
            }
        }
    }

    // Closes the holes that removals left.
    void Compact() {
        if (slots_.size() == live_) {
            return;
        }
        std::vector<Pointer> kept;
        kept.reserve(live_);
        for (Pointer& slot : slots_) {
            if (slot != nullptr) {
                kept.push_back(std::move(slot));
            }
        }
        slots_ = std::move(kept);
        head_ = 0;
        positions_.clear();
        indexed_ = false;
        if (slots_.size() > kLinearLimit) {
            IndexPositions();
        }
    }

    std::vector<Pointer> slots_;  // null where an entry was taken out
    std::unordered_map<const Entry*, size_t> positions_;
    size_t live_ = 0;
    size_t head_ = 0;  // no entry before this slot
    bool indexed_ = false;  // positions_ holds every entry
};

}  // namespace tlv
