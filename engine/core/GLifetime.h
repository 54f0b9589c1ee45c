// The one owner of the objects that live for the whole program: the log, the settings, the
// device, the simulation's managers and the other services the game reaches from anywhere.
// Each is created once, on first use or by the start-up step that names it, and destroyed by
// this owner: by the shutdown step that names it, or with everything still held, newest first.
#pragma once
#include <atomic>
#include <cstddef>
#include <mutex>
#include <string>
#include <typeinfo>
#include <vector>

class GLifetime
{
public:
    // The program's owner. The game empties it at the end of its run; a test program or a tool
    // leaves what it used to the end of the process.
    static GLifetime& Program();

    GLifetime(const GLifetime&) = delete;
    GLifetime& operator=(const GLifetime&) = delete;

    // The program's object of kind T, created on first use. Any thread.
    template <class T>
    static T& Get()
    {
        T* object = Slot<T>().load(std::memory_order_acquire);
        return object ? *object : Program().Create<T>();
    }
    // Whether the object of kind T exists now. Any thread.
    template <class T>
    static bool Exists()
    {
        return Slot<T>().load(std::memory_order_acquire) != nullptr;
    }
    // The object of kind T if it exists now, else null: for work that only concerns an object
    // already made, above all at the end of the run, which must make nothing. Any thread.
    template <class T>
    static T* Find()
    {
        return Slot<T>().load(std::memory_order_acquire);
    }

    // Creates the object of kind T now unless it exists; start-up steps name their objects
    // with it, so the order of creation is the order of the steps. Main thread.
    template <class T>
    T& Create();
    // Destroys the object of kind T now, if it exists. A later use would create a new one. Main thread.
    template <class T>
    void Destroy();
    // Holds the object of kind T, if it exists, as if it had been created now, so that it is
    // destroyed before every object that exists now: for an object whose teardown uses objects
    // made after it. Main thread.
    template <class T>
    void HoldAsNewest();
    // Destroys every object held, newest first: an object may still use any older one while it
    // is destroyed. Main thread.
    void DestroyAll();
    // How many objects are held now.
    std::size_t HeldCount() const;

    // The end of the run begins: from now on nothing should be created. Every object still made
    // is counted and its kind named, as the end could tear it down only out of order. Main thread.
    void BeginEnd();
    // The kinds of the objects created since the end began, in order of creation.
    std::vector<std::string> CreatedSinceEnd() const;

private:
    GLifetime() = default;
    ~GLifetime();

    // One object, with what deletes it and empties its slot.
    struct Held
    {
        void* object;
        void (*destroy)(void* object);
        const void* kind;
    };

    template <class T>
    static std::atomic<T*>& Slot()
    {
        static std::atomic<T*> slot{nullptr};
        return slot;
    }
    template <class T>
    static void DestroyHeld(void* object)
    {
        // The slot still answers while the destructor runs, as the object is still itself.
        delete static_cast<T*>(object);
        Slot<T>().store(nullptr, std::memory_order_release);
    }
    // Takes the entry of this kind out of the list; false when none is held.
    bool Release(const void* kind, Held& released);
    void Hold(const Held& held);
    // Notes a creation; while the run ends it is counted under the kind's name.
    void NoteCreated(const char* kindName);

    mutable std::recursive_mutex m_lock; // creation may ask for other objects, on any thread
    std::vector<Held> m_held;            // in order of creation
    bool m_ending = false;
    std::vector<std::string> m_createdWhileEnding;
};

template <class T>
T& GLifetime::Create()
{
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    if (T* existing = Slot<T>().load(std::memory_order_acquire))
        return *existing;
    // Held from the end of its construction: what its constructor asked for was held first and
    // so outlives it.
    T* created = new T();
    NoteCreated(typeid(T).name());
    Hold(Held{created, &GLifetime::DestroyHeld<T>, &Slot<T>()});
    Slot<T>().store(created, std::memory_order_release);
    return *created;
}

template <class T>
void GLifetime::HoldAsNewest()
{
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    Held held{};
    if (Release(&Slot<T>(), held))
        Hold(held);
}

template <class T>
void GLifetime::Destroy()
{
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    Held held{};
    if (Release(&Slot<T>(), held))
        held.destroy(held.object);
}
