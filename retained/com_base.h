#pragma once
// Reference counting and interface lookup shared by every engine object.

#include <new>
#include <utility>

#include "retained/d3drm_api.h"
#include "retained/engine_lock.h"

namespace varnoka::rm {

// Implements IUnknown for an object reached through one or more interface chains, each ending in
// a listed interface. The chains share one count, so a reference taken through one interface may
// be dropped through another, and IUnknown is always the first chain's: the object's identity.
template <class First, class... Others>
class ComObject : public First, public Others... {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (object == nullptr) return E_POINTER;
        EngineLock lock;
        *object = FindInterface(iid);
        if (*object == nullptr) return E_NOINTERFACE;
        ++references_;
        return S_OK;
    }

    ULONG STDMETHODCALLTYPE AddRef() override {
        EngineLock lock;
        return ++references_;
    }

    ULONG STDMETHODCALLTYPE Release() override {
        EngineLock lock;
        const ULONG remaining = --references_;
        if (remaining == 0) delete this;
        return remaining;
    }

    ComObject(const ComObject&) = delete;
    ComObject& operator=(const ComObject&) = delete;

protected:
    ComObject() = default;
    virtual ~ComObject() = default;

    // The interface pointer for iid, or null.
    virtual void* FindInterface(REFIID iid) {
        if (iid == IID_IUnknown) return static_cast<IUnknown*>(static_cast<First*>(this));
        return nullptr;
    }

private:
    ULONG references_ = 1;
};

// Owns one reference to a COM object.
template <class T>
class ComRef {
public:
    ComRef() = default;
    // Takes a new reference to object.
    explicit ComRef(T* object) : object_(object) {
        if (object_) object_->AddRef();
    }
    ComRef(const ComRef& other) : ComRef(other.object_) {}
    ComRef(ComRef&& other) noexcept : object_(std::exchange(other.object_, nullptr)) {}
    ComRef& operator=(ComRef other) noexcept {
        std::swap(object_, other.object_);
        return *this;
    }
    ~ComRef() {
        if (object_) object_->Release();
    }

    // Wraps a reference the caller already owns.
    static ComRef Adopt(T* object) {
        ComRef ref;
        ref.object_ = object;
        return ref;
    }

    T* Get() const { return object_; }
    T* operator->() const { return object_; }
    explicit operator bool() const { return object_ != nullptr; }
    // Hands the reference to the caller.
    T* Detach() { return std::exchange(object_, nullptr); }

private:
    T* object_ = nullptr;
};

// Makes an engine object whose one reference is the caller's. Throws std::bad_alloc like new, for
// the calling method's GuardAllocation to report.
template <class Object, class... Arguments>
ComRef<Object> NewObject(Arguments&&... arguments) {
    return ComRef<Object>::Adopt(new Object(std::forward<Arguments>(arguments)...));
}

// Runs the work of a public call that may allocate. Running out of memory is a result like any
// other failure, never an exception through a COM method: outOfMemory is D3DRMERR_BADALLOC for
// the retained-mode calls and E_OUTOFMEMORY for the DirectDraw ones. Any other exception is a
// fault of ours and ends the program here.
template <class Work>
HRESULT GuardAllocation(HRESULT outOfMemory, Work&& work) noexcept {
    try {
        return work();
    } catch (const std::bad_alloc&) {
        return outOfMemory;
    }
}

// Makes an engine object and hands its one reference out through *out, which stays null when
// there is no memory for it.
template <class Object, class Interface, class... Arguments>
HRESULT CreateObject(HRESULT outOfMemory, Interface** out, Arguments&&... arguments) noexcept {
    *out = nullptr;
    return GuardAllocation(outOfMemory, [&] {
        *out = NewObject<Object>(std::forward<Arguments>(arguments)...).Detach();
        return S_OK;
    });
}

template <class T>
HRESULT HandOut(T* object, T** destination) {
    object->AddRef();
    *destination = object;
    return D3DRM_OK;
}

}  // namespace varnoka::rm
