#pragma once
#include <cstdint>

// Base of everything an ObjectList owns.
class ListElement {
public:
    virtual ~ListElement() = default;
    // Called by ObjectList::RemoveAll just before the element is deleted.
    virtual void Release() = 0;
};

// An ordered, growable array of owned ListElement pointers.
class ObjectList {
public:
    ObjectList();
    virtual ~ObjectList();
    ObjectList(const ObjectList&) = delete;
    ObjectList& operator=(const ObjectList&) = delete;

    virtual uint32_t Count() const;
    virtual uint32_t Capacity() const;
    virtual void SetGrowBy(uint32_t n);
    // Returns the new index, or -1 when growing failed; the element is then
    // not taken and stays the caller's.
    virtual int Add(ListElement* element);
    // Hands element i to the caller without deleting it; nullptr when i is
    // at or past the count.
    virtual ListElement* RemoveAt(uint32_t i);
    // Returns i, or -1 when growing failed or i is past the count.
    virtual int InsertAt(uint32_t i, ListElement* element);
    virtual void Swap(uint32_t i, uint32_t j);
    // Exchanges the whole contents (elements, capacity, growth step) of the
    // two lists; nothing is copied.
    void SwapContents(ObjectList& other);
    // nullptr when i is out of range.
    virtual ListElement* GetAt(uint32_t i) const;
    // Releases and deletes every element, then frees the array.
    virtual void RemoveAll();

protected:
    virtual void Init();
    // Capacity grows by the growth step; false when the allocation fails.
    virtual bool Grow();

private:
    ListElement** array_;
    uint32_t count_;
    uint32_t capacity_;
    uint32_t growBy_;
    uint32_t elementSize_;
};
