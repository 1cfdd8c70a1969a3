// A small growable array of plain elements whose block grows and shrinks in
// whole multiples of a fixed step. Holds the conversion-factor tables and the
// colour palette.
#pragma once
#include "units/OZU_Base.h"

#include <cstdint>
#include <new>

template <class T>
class OZU_Array : public virtual OZU_Base
{
public:
    OZU_Array(uint32_t size = 0, uint32_t growBy = 10)
    {
        Create(size, growBy);
    }
    OZU_Array(const OZU_Array& other) : OZU_Base()
    {
        Assign(other);
    }
    OZU_Array& operator=(const OZU_Array& other)
    {
        Assign(other);
        return *this;
    }
    ~OZU_Array() override { Clear(); }

    // Marks the array valid, takes the grow step (0 counts as 1) and sizes it.
    void Create(uint32_t size, uint32_t growBy)
    {
        Validate();
        m_nGrowBy = growBy ? growBy : 1;
        SetSize(size);
    }

    // Sets the number of elements in use. The block is replaced only when the
    // size rounded up to the grow step changes; the first min(old, n)
    // elements are kept. Size and capacity change only once the new block
    // exists, so a failed allocation (std::bad_alloc) leaves the array as it was.
    void SetSize(uint32_t n)
    {
        uint64_t rounded = ((uint64_t)n + m_nGrowBy - 1) / m_nGrowBy * m_nGrowBy;
        if (rounded > UINT32_MAX || rounded >= MaxElements())
            throw std::bad_alloc();
        uint32_t capacity = (uint32_t)rounded;
        if (capacity == m_nCapacity) {
            m_nSize = n;
            return;
        }
        T* block = capacity ? new T[capacity] : nullptr;
        uint32_t keep = m_nSize < n ? m_nSize : n;
        for (uint32_t i = 0; i < keep; ++i)
            block[i] = m_pData[i];
        delete[] m_pData;
        m_pData = block;
        m_nCapacity = capacity;
        m_nSize = n;
    }

    // Element i; callers pass only indexes below GetSize().
    T& GetAt(uint32_t i) { return m_pData[i]; }
    const T& GetAt(uint32_t i) const { return m_pData[i]; }
    T& operator[](uint32_t i) { return m_pData[i]; }
    const T& operator[](uint32_t i) const { return m_pData[i]; }

    uint32_t GetSize() const { return m_nSize; }
    uint32_t GetCapacity() const { return m_nCapacity; }
    uint32_t GetGrowBy() const { return m_nGrowBy; }

    // Makes this array a copy of another (size, grow step and elements).
    void Assign(const OZU_Array& other)
    {
        if (&other == this)
            return;
        if (m_pData)
            Clear();
        Create(other.m_nSize, other.m_nGrowBy);
        for (uint32_t i = 0; i < other.m_nSize; ++i)
            m_pData[i] = other.m_pData[i];
    }

    // Frees the block; the grow step and the validity flag stay.
    void Clear()
    {
        delete[] m_pData;
        m_pData = nullptr;
        m_nSize = 0;
        m_nCapacity = 0;
    }

private:
    // A block of 2^32 bytes or more is refused as an allocation failure.
    static constexpr uint64_t MaxElements()
    {
        return (uint64_t(1) << 32) / (sizeof(T) ? sizeof(T) : 1);
    }

    T* m_pData = nullptr;
    uint32_t m_nSize = 0;
    uint32_t m_nCapacity = 0;
    uint32_t m_nGrowBy = 1;
};
