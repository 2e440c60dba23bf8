#pragma once

#include <windows.h>
#include <unknwn.h>

namespace velmora {

// The IUnknown part of a COM object that offers one interface: reference
// counting (created with one reference) and QueryInterface for IUnknown and
// `Interface`. Header only, so small helper programs can use it too.
template <class Interface, const IID& kInterfaceId>
class ComObject : public Interface {
 public:
  virtual ~ComObject() = default;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override {
    if (!object) return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, kInterfaceId)) {
      *object = static_cast<Interface*>(this);
      this->AddRef();
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = --references_;
    if (left == 0) delete this;
    return left;
  }

 private:
  ULONG references_ = 1;
};

}  // namespace velmora
