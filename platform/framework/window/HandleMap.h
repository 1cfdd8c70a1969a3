// The handle maps behind FromHandle: for each kind of handle (windows, GDI
// objects, device contexts, menus, image lists) the objects that own a
// handle ("permanent": made by the program, attached, or subclassed) and the
// temporary wrappers FromHandle makes for handles nobody owns, which belong
// to the thread that asked for them and are deleted when it is idle.
//
// Permanent entries of GDI objects and the like are shared by all threads
// (their handles belong to the process); those of windows belong to the
// thread that attached them, as the windows' messages do. Clear empties a
// wrapper so that deleting it leaves the handle alone.
#pragma once

#include "platform/framework/base/AfxBase.h"

#include <mutex>
#include <unordered_map>

namespace kvafx {

enum class HandleScope
{
    Process, // permanent entries seen by every thread
    Thread,  // permanent entries seen by the thread that made them
};

template<class T, class H, void (*Clear)(T*), HandleScope Scope = HandleScope::Process>
class HandleMap
{
public:
    T* FindPermanent(H h)
    {
        auto lock = Lock();
        auto& map = Permanents();
        auto it = map.find(h);
        return it == map.end() ? nullptr : it->second;
    }
    void SetPermanent(H h, T* p)
    {
        auto lock = Lock();
        Permanents()[h] = p;
    }
    // Removes the entry only while it still names p.
    void RemovePermanent(H h, T* p)
    {
        auto lock = Lock();
        auto& map = Permanents();
        auto it = map.find(h);
        if (it != map.end() && it->second == p)
            map.erase(it);
    }
    T* FindTemporary(H h)
    {
        auto& temps = Temporaries();
        auto it = temps.find(h);
        return it == temps.end() ? nullptr : it->second;
    }
    void SetTemporary(H h, T* p)
    {
        auto& temps = Temporaries();
        auto it = temps.find(h);
        if (it != temps.end()) {
            Clear(it->second);
            delete it->second;
        }
        temps[h] = p;
    }
    // FromHandle: the permanent object of h, else this thread's temporary
    // for it (when fits(temporary) agrees), else a new one from make(h).
    template<class Make, class Fits>
    T* Lookup(H h, Make make, Fits fits)
    {
        if (h == nullptr)
            return nullptr;
        if (T* p = FindPermanent(h))
            return p;
        T* p = FindTemporary(h);
        if (p != nullptr && fits(p))
            return p;
        p = make(h);
        SetTemporary(h, p);
        return p;
    }
    template<class Make>
    T* Lookup(H h, Make make)
    {
        return Lookup(h, make, [](T*) { return true; });
    }
    // Attach: p's handle member takes h and p becomes h's permanent object.
    bool Attach(T* p, H& member, H h)
    {
        if (h == nullptr)
            return false;
        if (member != nullptr)
            RemovePermanent(member, p);
        member = h;
        SetPermanent(h, p);
        return true;
    }
    // Detach: p's handle member lets go of its handle, which is returned.
    H Detach(T* p, H& member)
    {
        H h = member;
        if (h != nullptr)
            RemovePermanent(h, p);
        member = nullptr;
        return h;
    }
    void DeleteTemporaries()
    {
        auto& temps = Temporaries();
        auto old = std::move(temps);
        temps.clear();
        for (auto& entry : old) {
            Clear(entry.second);
            delete entry.second;
        }
    }

private:
    // Heap-held so that nothing is destroyed under a late caller at exit.
    static std::unordered_map<H, T*>& Temporaries()
    {
        thread_local auto* temps = new std::unordered_map<H, T*>;
        return *temps;
    }
    std::unordered_map<H, T*>& Permanents()
    {
        if constexpr (Scope == HandleScope::Thread) {
            thread_local auto* map = new std::unordered_map<H, T*>;
            return *map;
        } else {
            return m_permanent;
        }
    }
    std::unique_lock<std::mutex> Lock()
    {
        if constexpr (Scope == HandleScope::Thread)
            return std::unique_lock<std::mutex>();
        else
            return std::unique_lock<std::mutex>(m_lock);
    }
    std::mutex m_lock;
    std::unordered_map<H, T*> m_permanent;
};

} // namespace kvafx
