#pragma once
// CComInterface: holds one reference to a COM interface and releases it when
// the holder goes or is reset.

template <class T> class CComInterface {
public:
    CComInterface() = default;
    ~CComInterface() { Release(); }
    CComInterface(const CComInterface&) = delete;
    CComInterface& operator=(const CComInterface&) = delete;

    T* Get() const { return m_p; }
    T* operator->() const { return m_p; }
    explicit operator bool() const { return m_p != nullptr; }

    // Releases the reference held, if any.
    void Release()
    {
        if (m_p != nullptr) {
            T* p = m_p;
            m_p = nullptr;
            p->Release();
        }
    }

    // The out-parameter of a call that hands over a new reference
    // (CoCreateInstance, QueryInterface); the reference held is released first.
    void** ReceiveInto()
    {
        Release();
        return reinterpret_cast<void**>(&m_p);
    }

private:
    T* m_p = nullptr;
};
