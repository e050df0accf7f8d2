#include "control/com/class_factory.h"

#include <new>

#include "control/com/guids.h"
#include "control/com/hd7_3_ctrl.h"
#include "control/com/module.h"

namespace hd73 {
namespace {

using CreateFn = HRESULT (*)(REFIID iid, void** object);

struct ClassEntry {
  const CLSID* clsid;
  CreateFn create;
};

const ClassEntry kClasses[] = {{&kClsidControl, &CHD7_3Ctrl::Create}};

class ClassFactory : public IClassFactory {
 public:
  explicit ClassFactory(CreateFn create) : create_(create) { ModuleAddRef(); }
  virtual ~ClassFactory() { ModuleRelease(); }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (object == nullptr) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IClassFactory) {
      *object = static_cast<IClassFactory*>(this);
      AddRef();
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(++refs_); }
  ULONG STDMETHODCALLTYPE Release() override {
    const long refs = --refs_;
    if (refs == 0) delete this;
    return static_cast<ULONG>(refs);
  }

  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** object) override {
    if (object == nullptr) return E_POINTER;
    *object = nullptr;
    if (outer != nullptr) return CLASS_E_NOAGGREGATION;
    try {
      return create_(iid, object);
    } catch (...) {
      return E_OUTOFMEMORY;
    }
  }
  HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override {
    if (lock) {
      ModuleAddRef();
    } else {
      ModuleRelease();
    }
    return S_OK;
  }

 private:
  CreateFn create_;
  long refs_ = 1;
};

}  // namespace

HRESULT GetClassObject(REFCLSID clsid, REFIID iid, void** object) {
  if (object == nullptr) return E_POINTER;
  *object = nullptr;
  for (const ClassEntry& entry : kClasses) {
    if (*entry.clsid != clsid) continue;
    auto* factory = new (std::nothrow) ClassFactory(entry.create);
    if (factory == nullptr) return E_OUTOFMEMORY;
    const HRESULT hr = factory->QueryInterface(iid, object);
    factory->Release();
    return hr;
  }
  return CLASS_E_CLASSNOTAVAILABLE;
}

}  // namespace hd73
