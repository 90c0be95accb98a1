#pragma once

// Reference counting shared by views, bitmaps and fonts: a new object holds one
// reference; remember adds one, forget drops one and deletes at zero.

#include <atomic>
#include <cstdint>
#include <cstring>

namespace VSTGUI {

class CBaseObject {
public:
    CBaseObject() = default;
    // A copy is a new object with its own single reference.
    CBaseObject(const CBaseObject&) {}
    CBaseObject& operator=(const CBaseObject&) { return *this; }
    virtual ~CBaseObject() = default;

    virtual void remember() { nbReference.fetch_add(1, std::memory_order_relaxed); }
    virtual void forget()
    {
        // acq_rel: the thread that deletes sees every other holder's last use.
        if (nbReference.fetch_sub(1, std::memory_order_acq_rel) == 1)
            delete this;
    }
    int32_t getNbReference() const { return nbReference.load(std::memory_order_relaxed); }

    virtual const char* getClassName() const { return "CBaseObject"; }
    virtual bool isTypeOf(const char* s) const { return std::strcmp(s, "CBaseObject") == 0; }
    virtual CBaseObject* newCopy() const { return nullptr; }

private:
    // Hosts may open an editor on one thread and close it or the instance on
    // another, and decoded images are shared between editors: a count two
    // threads change at once must not lose an update (a lost decrement leaks
    // the object with its pixels).
    std::atomic<int32_t> nbReference{1};
};

// Holds one reference to a CBaseObject for as long as it lives.
template <class T>
class SharedPointer {
public:
    SharedPointer() = default;
    explicit SharedPointer(T* object, bool take = true) : object(object)
    {
        if (object && take)
            object->remember();
    }
    SharedPointer(const SharedPointer& other) : SharedPointer(other.object) {}
    SharedPointer& operator=(const SharedPointer& other)
    {
        reset(other.object);
        return *this;
    }
    ~SharedPointer() { reset(nullptr); }

    void reset(T* newObject)
    {
        if (newObject == object)
            return;
        if (newObject)
            newObject->remember();
        T* old = object;
        object = newObject;
        if (old)
            old->forget();
    }
    T* get() const { return object; }
    T* operator->() const { return object; }
    explicit operator bool() const { return object != nullptr; }

private:
    T* object = nullptr;
};

}  // namespace VSTGUI
