#pragma once
// A minimal hand-written IDispatch: reference counting, a table of member
// names, and one Invoke to override. No type library is involved, which is
// all that late-bound callers need.

#include <windows.h>

#include <oleauto.h>

#include <string>
#include <utility>
#include <vector>

namespace e2e::stand_in {

class DispatchObject : public IDispatch {
 public:
  explicit DispatchObject(std::vector<std::pair<std::wstring, DISPID>> members)
      : members_(std::move(members)) {}
  virtual ~DispatchObject() = default;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (iid == IID_IUnknown || iid == IID_IDispatch) {
      *object = static_cast<IDispatch*>(this);
      AddRef();
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&references_); }
  ULONG STDMETHODCALLTYPE Release() override {
    LONG left = InterlockedDecrement(&references_);
    if (left == 0) delete this;
    return left;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID,
                                          DISPID* ids) override {
    HRESULT result = S_OK;
    for (UINT i = 0; i < count; ++i) {
      ids[i] = DISPID_UNKNOWN;
      if (i > 0) {  // named arguments are not supported
        result = DISP_E_UNKNOWNNAME;
        continue;
      }
      for (const auto& [name, id] : members_)
        if (_wcsicmp(name.c_str(), names[i]) == 0) ids[i] = id;
      if (ids[i] == DISPID_UNKNOWN) result = DISP_E_UNKNOWNNAME;
    }
    return result;
  }

 protected:
  // Fills an EXCEPINFO the way automation servers report their own errors.
  static HRESULT Raise(EXCEPINFO* error, const wchar_t* description, SCODE code = E_FAIL) {
    if (error) {
      *error = EXCEPINFO{};
      error->bstrSource = SysAllocString(L"Access.Application stand-in");
      error->bstrDescription = SysAllocString(description);
      error->scode = code;
    }
    return DISP_E_EXCEPTION;
  }

  // Argument `index` in call order (DISPPARAMS holds them last to first).
  static const VARIANT* Argument(const DISPPARAMS* params, UINT index) {
    if (!params || index >= params->cArgs) return nullptr;
    return &params->rgvarg[params->cArgs - 1 - index];
  }

 private:
  LONG references_ = 1;
  std::vector<std::pair<std::wstring, DISPID>> members_;
};

}  // namespace e2e::stand_in
