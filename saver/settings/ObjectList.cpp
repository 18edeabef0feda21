#include "saver/settings/ObjectList.h"

#include <cstring>
#include <limits>
#include <new>
#include <utility>

ObjectList::ObjectList() : elementSize_(sizeof(ListElement*)) { Init(); }

ObjectList::~ObjectList() { RemoveAll(); }

void ObjectList::Init() {
    array_ = nullptr;
    count_ = 0;
    capacity_ = 0;
    growBy_ = 5;
}

uint32_t ObjectList::Count() const { return count_; }

uint32_t ObjectList::Capacity() const { return capacity_; }

void ObjectList::SetGrowBy(uint32_t n) { growBy_ = n == 0 ? 1 : n; }

bool ObjectList::Grow() {
    if (capacity_ > std::numeric_limits<uint32_t>::max() - growBy_) return false;
    const uint32_t newCapacity = capacity_ + growBy_;
    ListElement** bigger = new (std::nothrow) ListElement*[newCapacity];
    if (bigger == nullptr) return false;
    if (count_ > 0) std::memcpy(bigger, array_, count_ * elementSize_);
    delete[] array_;
    array_ = bigger;
    capacity_ = newCapacity;
    return true;
}

int ObjectList::Add(ListElement* element) {
    if (count_ == static_cast<uint32_t>(std::numeric_limits<int>::max())) return -1;
    if (count_ == capacity_ && !Grow()) return -1;
    array_[count_] = element;
    return static_cast<int>(count_++);
}

ListElement* ObjectList::RemoveAt(uint32_t i) {
    if (i >= count_) return nullptr;
    ListElement* element = array_[i];
    const uint32_t later = count_ - i - 1;
    if (later > 0) std::memmove(&array_[i], &array_[i + 1], later * elementSize_);
    --count_;
    return element;
}

int ObjectList::InsertAt(uint32_t i, ListElement* element) {
    if (i > count_) return -1;
    if (count_ == static_cast<uint32_t>(std::numeric_limits<int>::max())) return -1;
    if (count_ == capacity_ && !Grow()) return -1;
    const uint32_t later = count_ - i;
    if (later > 0) std::memmove(&array_[i + 1], &array_[i], later * elementSize_);
    array_[i] = element;
    ++count_;
    return static_cast<int>(i);
}

void ObjectList::Swap(uint32_t i, uint32_t j) {
    if (i >= count_ || j >= count_ || i == j) return;
    ListElement* held = array_[i];
    array_[i] = array_[j];
    array_[j] = held;
}

void ObjectList::SwapContents(ObjectList& other) {
    std::swap(array_, other.array_);
    std::swap(count_, other.count_);
    std::swap(capacity_, other.capacity_);
    std::swap(growBy_, other.growBy_);
}

ListElement* ObjectList::GetAt(uint32_t i) const { return i < count_ ? array_[i] : nullptr; }

void ObjectList::RemoveAll() {
    for (uint32_t i = 0; i < count_; ++i) {
        array_[i]->Release();
        delete array_[i];
    }
    delete[] array_;
    array_ = nullptr;
    count_ = 0;
    capacity_ = 0;
}
