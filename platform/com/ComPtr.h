// CComPtr: owns one reference to an interface and gives it back when it lets go.
#pragma once

#include <cassert>
#include <cstddef>
#include <utility>

#include "platform/com/Guid.h"
#include "platform/com/Types.h"

template <class T>
class CComPtr {
public:
    CComPtr() = default;
    CComPtr(std::nullptr_t) {}  // NOLINT: implicit, so nullptr reads as an empty pointer
    CComPtr(T* p) : m_p(p) {    // NOLINT: implicit, as raw pointers are handed in everywhere
        if (m_p) m_p->AddRef();
    }
    CComPtr(const CComPtr& other) : CComPtr(other.m_p) {}
    CComPtr(CComPtr&& other) noexcept : m_p(std::exchange(other.m_p, nullptr)) {}
    ~CComPtr() { Release(); }

    // By value: serves copy and move alike, and self-assignment is harmless.
    CComPtr& operator=(CComPtr other) noexcept {
        std::swap(m_p, other.m_p);
        return *this;
    }

    operator T*() const { return m_p; }  // NOLINT: passes straight to interface parameters
    T* operator->() const {
        assert(m_p);
        return m_p;
    }
    // For out-parameters; whatever is written there becomes owned. Only valid while empty,
    // since overwriting would leak the held reference.
    T** operator&() {
        assert(!m_p);
        return &m_p;
    }

    T* Get() const { return m_p; }

    // Takes over a reference the caller already owns.
    void Attach(T* p) {
        T* old = std::exchange(m_p, p);
        if (old) old->Release();
    }

    // Hands the reference to the caller, who must Release it.
    T* Detach() { return std::exchange(m_p, nullptr); }

    // Nulled before the Release, which may re-enter and look at this pointer.
    void Release() {
        if (T* old = std::exchange(m_p, nullptr)) old->Release();
    }

    HRESULT CopyTo(T** out) const {
        if (!out) return E_POINTER;
        *out = m_p;
        if (m_p) m_p->AddRef();
        return S_OK;
    }

    template <class Q>
    HRESULT QueryInterface(REFIID riid, Q** out) const {
        if (!out) return E_POINTER;
        *out = nullptr;
        if (!m_p) return E_POINTER;
        return m_p->QueryInterface(riid, reinterpret_cast<void**>(out));
    }

private:
    T* m_p = nullptr;
};
