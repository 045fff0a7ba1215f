#include "runtime/picture/ByteStream.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <limits>
#include <new>
#include <vector>

namespace rt {

namespace {

class ByteStream final : public IStream {
public:
    explicit ByteStream(std::vector<char> bytes) : m_bytes(std::move(bytes)) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (!out) return E_POINTER;
        if (iid == IID_IUnknown || iid == IID_ISequentialStream || iid == IID_IStream) {
            *out = static_cast<IStream*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++m_references; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --m_references;
        if (left == 0) delete this;
        return left;
    }

    HRESULT STDMETHODCALLTYPE Read(void* into, ULONG wanted, ULONG* read) override {
        const ULONGLONG available = m_position < m_bytes.size() ? m_bytes.size() - m_position : 0;
        const ULONG count = static_cast<ULONG>(std::min<ULONGLONG>(wanted, available));
        if (count) std::memcpy(into, m_bytes.data() + m_position, count);
        m_position += count;
        if (read) *read = count;
        return count == wanted ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE Seek(LARGE_INTEGER move, DWORD origin, ULARGE_INTEGER* position) override {
        LONGLONG from = 0;
        if (origin == STREAM_SEEK_CUR) from = static_cast<LONGLONG>(m_position);
        else if (origin == STREAM_SEEK_END) from = static_cast<LONGLONG>(m_bytes.size());
        else if (origin != STREAM_SEEK_SET) return STG_E_INVALIDFUNCTION;
        // from is at most the size of a vector, so only a move past the signed range overflows.
        if (move.QuadPart > 0 && from > std::numeric_limits<LONGLONG>::max() - move.QuadPart) return STG_E_INVALIDFUNCTION;
        if (from + move.QuadPart < 0) return STG_E_INVALIDFUNCTION;
        m_position = static_cast<ULONGLONG>(from + move.QuadPart);
        if (position) position->QuadPart = m_position;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Stat(STATSTG* stat, DWORD) override {
        if (!stat) return STG_E_INVALIDPOINTER;
        *stat = {};
        stat->type = STGTY_STREAM;
        stat->cbSize.QuadPart = m_bytes.size();
        return S_OK;
    }
    // The copy of the bytes may run out of memory, whatever the program's out-of-memory error
    // is at the time: nothing thrown may leave a COM method.
    HRESULT STDMETHODCALLTYPE Clone(IStream** out) override {
        if (!out) return E_POINTER;
        *out = nullptr;
        try {
            auto* copy = new ByteStream(m_bytes);
            copy->m_position = m_position;
            *out = copy;
            return S_OK;
        } catch (...) {
            return E_OUTOFMEMORY;
        }
    }

    HRESULT STDMETHODCALLTYPE Write(const void*, ULONG, ULONG*) override { return STG_E_ACCESSDENIED; }
    HRESULT STDMETHODCALLTYPE SetSize(ULARGE_INTEGER) override { return STG_E_ACCESSDENIED; }
    HRESULT STDMETHODCALLTYPE CopyTo(IStream*, ULARGE_INTEGER, ULARGE_INTEGER*, ULARGE_INTEGER*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Commit(DWORD) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE Revert() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE LockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) override {
        return STG_E_INVALIDFUNCTION;
    }
    HRESULT STDMETHODCALLTYPE UnlockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) override {
        return STG_E_INVALIDFUNCTION;
    }

private:
    std::vector<char> m_bytes;
    ULONGLONG m_position = 0;
    std::atomic<ULONG> m_references{1};
};

}  // namespace

IStream* CreateByteStream(std::vector<char>&& bytes) { return new (std::nothrow) ByteStream(std::move(bytes)); }

IStream* CreateByteStream(const void* bytes, size_t size) {
    try {
        const auto* b = static_cast<const char*>(bytes);
        return CreateByteStream(std::vector<char>(b, b + size));
    } catch (...) {
        return nullptr;
    }
}

}  // namespace rt
