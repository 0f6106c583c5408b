#include "win32/child_ids.h"

#include <new>
#include <utility>

namespace netedit::win32 {

HRESULT ChildIdOut(long id, VARIANT* out) {
    out->vt = VT_I4;
    out->lVal = id;
    return S_OK;
}

ChildIds::ChildIds(std::vector<long> ids, std::size_t next) : ids_(std::move(ids)), next_(next) {}

HRESULT ChildIds::QueryInterface(REFIID iid, void** out) {
    if (iid == __uuidof(IUnknown) || iid == __uuidof(IEnumVARIANT)) {
        *out = static_cast<IEnumVARIANT*>(this);
        AddRef();
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

ULONG ChildIds::AddRef() {
    return static_cast<ULONG>(::InterlockedIncrement(&references_));
}

ULONG ChildIds::Release() {
    const LONG left = ::InterlockedDecrement(&references_);
    if (left == 0) {
        delete this;
    }
    return static_cast<ULONG>(left);
}

HRESULT ChildIds::Next(ULONG wanted, VARIANT* out, ULONG* fetched) {
    ULONG given = 0;
    for (; given < wanted && next_ < ids_.size(); ++given, ++next_) {
        ChildIdOut(ids_[next_], &out[given]);
    }
    if (fetched != nullptr) {
        *fetched = given;
    }
    return given == wanted ? S_OK : S_FALSE;
}

HRESULT ChildIds::Skip(ULONG count) {
    const bool all = count <= ids_.size() - next_;
    next_ = all ? next_ + count : ids_.size();
    return all ? S_OK : S_FALSE;
}

HRESULT ChildIds::Reset() {
    next_ = 0;
    return S_OK;
}

HRESULT ChildIds::Clone(IEnumVARIANT** out) {
    *out = new (std::nothrow) ChildIds(ids_, next_);
    return *out != nullptr ? S_OK : E_OUTOFMEMORY;
}

} // namespace netedit::win32
