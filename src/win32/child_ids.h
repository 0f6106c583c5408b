#pragma once

#include <cstddef>
#include <oaidl.h>
#include <vector>
#include <windows.h>

namespace netedit::win32 {

// Puts a child id (0 for the object itself) in `out`.
HRESULT ChildIdOut(long id, VARIANT* out);

// Child ids handed out one after another, as a reader is given a selection of several rows.
class ChildIds final : public IEnumVARIANT {
public:
    explicit ChildIds(std::vector<long> ids, std::size_t next = 0);
    ChildIds(const ChildIds&) = delete;
    ChildIds& operator=(const ChildIds&) = delete;
    ChildIds(ChildIds&&) = delete;
    ChildIds& operator=(ChildIds&&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE Next(ULONG wanted, VARIANT* out, ULONG* fetched) override;
    HRESULT STDMETHODCALLTYPE Skip(ULONG count) override;
    HRESULT STDMETHODCALLTYPE Reset() override;
    HRESULT STDMETHODCALLTYPE Clone(IEnumVARIANT** out) override;

private:
    ~ChildIds() = default; // by Release only

    std::vector<long> ids_;
    std::size_t next_;
    LONG references_ = 1;
};

} // namespace netedit::win32
