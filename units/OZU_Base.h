// Root of the unit, value, array and settings classes: one validity flag.
#pragma once
#include <cstdint>

class OZU_Base
{
public:
    OZU_Base() : m_nValid(0) {}
    OZU_Base(const OZU_Base& other) : m_nValid(other.m_nValid) {}
    // Assignment leaves the flag alone: every class works its own flag out
    // again when it is assigned (a unit from its index, a value from its unit).
    OZU_Base& operator=(const OZU_Base&) { return *this; }
    virtual ~OZU_Base() {}

    // Marks the object valid and returns it.
    virtual OZU_Base& Validate()
    {
        m_nValid = 1;
        return *this;
    }
    virtual int IsValid() const { return m_nValid; }

protected:
    int32_t m_nValid; // 0 invalid, 1 valid
};
