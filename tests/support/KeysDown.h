// Holds keys down, as far as GetKeyState sees, for the life of the object:
// what a test needs to press Ctrl or Shift with a key it sends.
#pragma once

#include <windows.h>

#include <cstring>
#include <initializer_list>

namespace kvtest {

class KeysDown
{
public:
    explicit KeysDown(std::initializer_list<int> keys)
    {
        ::GetKeyboardState(m_saved);
        BYTE state[256];
        memcpy(state, m_saved, sizeof(state));
        for (int vk : keys)
            state[vk] |= 0x80;
        ::SetKeyboardState(state);
    }
    ~KeysDown()
    {
        ::SetKeyboardState(m_saved);
    }
    KeysDown(const KeysDown&) = delete;
    KeysDown& operator=(const KeysDown&) = delete;

private:
    BYTE m_saved[256];
};

} // namespace kvtest
