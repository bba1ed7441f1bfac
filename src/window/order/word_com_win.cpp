#include "order/word_com_win.h"

#ifdef _WIN32

// windows.h first: the automation headers need its types.
#include <windows.h>

#include <oaidl.h>
#include <objbase.h>
#include <oleauto.h>

#include <vector>

namespace {

// A VARIANT that clears itself.
struct Variant {
  VARIANT v;
  Variant() { VariantInit(&v); }
  ~Variant() { VariantClear(&v); }
  Variant(const Variant&) = delete;
  Variant& operator=(const Variant&) = delete;
};

VARIANT Omitted() {
  VARIANT v;
  VariantInit(&v);
  v.vt = VT_ERROR;
  v.scode = DISP_E_PARAMNOTFOUND;
  return v;
}

VARIANT Long(int value) {
  VARIANT v;
  VariantInit(&v);
  v.vt = VT_I4;
  v.lVal = value;
  return v;
}

VARIANT Bool(bool value) {
  VARIANT v;
  VariantInit(&v);
  v.vt = VT_BOOL;
  v.boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
  return v;
}

// A string argument; the caller frees it with VariantClear.
VARIANT String(const std::wstring& text) {
  VARIANT v;
  VariantInit(&v);
  v.vt = VT_BSTR;
  v.bstrVal = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
  return v;
}

// Calls a member by name. Arguments are given in their natural order; IDispatch wants them
// reversed. Returns false when the member is unknown or the call raises.
bool Invoke(IDispatch* object, const wchar_t* name, WORD kind, std::vector<VARIANT> args, VARIANT* result) {
  if (!object) return false;
  DISPID id = 0;
  LPOLESTR member = const_cast<LPOLESTR>(name);
  if (FAILED(object->GetIDsOfNames(IID_NULL, &member, 1, LOCALE_USER_DEFAULT, &id))) return false;
  std::vector<VARIANT> reversed(args.rbegin(), args.rend());
  DISPPARAMS params{};
  params.cArgs = static_cast<UINT>(reversed.size());
  params.rgvarg = reversed.empty() ? nullptr : reversed.data();
  DISPID named = DISPID_PROPERTYPUT;
  if (kind == DISPATCH_PROPERTYPUT) {
    params.cNamedArgs = 1;
    params.rgdispidNamedArgs = &named;
  }
  EXCEPINFO exception{};
  const HRESULT hr = object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, kind, &params, result, &exception, nullptr);
  for (VARIANT& a : args) VariantClear(&a);
  SysFreeString(exception.bstrSource);
  SysFreeString(exception.bstrDescription);
  SysFreeString(exception.bstrHelpFile);
  return SUCCEEDED(hr);
}

// A property that is itself an object.
IDispatch* Get(IDispatch* object, const wchar_t* name) {
  Variant result;
  if (!Invoke(object, name, DISPATCH_PROPERTYGET, {}, &result.v) || result.v.vt != VT_DISPATCH || !result.v.pdispVal)
    return nullptr;
  IDispatch* d = result.v.pdispVal;
  d->AddRef();
  return d;
}

bool Call(IDispatch* app, const wchar_t* member, std::vector<VARIANT> args) {
  IDispatch* selection = Get(app, L"Selection");
  if (!selection) {
    for (VARIANT& a : args) VariantClear(&a);
    return false;
  }
  Variant result;
  const bool ok = Invoke(selection, member, DISPATCH_METHOD, std::move(args), &result.v);
  selection->Release();
  return ok;
}

}  // namespace

ComWordApplication::ComWordApplication() { initialised_ = SUCCEEDED(CoInitialize(nullptr)); }

ComWordApplication::~ComWordApplication() {
  Release();
  if (initialised_) CoUninitialize();
}

void ComWordApplication::Release() {
  if (app_) app_->Release();
  app_ = nullptr;
}

bool ComWordApplication::Connect() {
  if (app_) return true;
  CLSID clsid;
  if (FAILED(CLSIDFromProgID(L"Word.Application", &clsid))) return false;
  IUnknown* unknown = nullptr;
  if (SUCCEEDED(GetActiveObject(clsid, nullptr, &unknown)) && unknown) {
    unknown->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&app_));
    unknown->Release();
  }
  if (!app_)
    CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER, IID_IDispatch,
                     reinterpret_cast<void**>(&app_));
  return app_ != nullptr;
}

bool ComWordApplication::SetVisible(bool visible) {
  return Invoke(app_, L"Visible", DISPATCH_PROPERTYPUT, {Bool(visible)}, nullptr);
}

bool ComWordApplication::DocumentsAdd(const std::wstring& templatePath) {
  IDispatch* documents = Get(app_, L"Documents");
  Variant result;
  const bool ok = Invoke(documents, L"Add", DISPATCH_METHOD, {String(templatePath)}, &result.v);
  if (documents) documents->Release();
  return ok;
}

bool ComWordApplication::FindExecute(const std::wstring& text) {
  IDispatch* selection = Get(app_, L"Selection");
  IDispatch* find = Get(selection, L"Find");
  bool found = false;
  if (find && Invoke(find, L"Forward", DISPATCH_PROPERTYPUT, {Bool(true)}, nullptr) &&
      Invoke(find, L"Text", DISPATCH_PROPERTYPUT, {String(text)}, nullptr)) {
    Variant result;
    if (Invoke(find, L"Execute", DISPATCH_METHOD, {}, &result.v) &&
        SUCCEEDED(VariantChangeType(&result.v, &result.v, 0, VT_BOOL)))
      found = result.v.boolVal != VARIANT_FALSE;
  }
  if (find) find->Release();
  if (selection) selection->Release();
  return found;
}

bool ComWordApplication::SelectionDelete() { return Call(app_, L"Delete", {}); }
bool ComWordApplication::SelectionInsertAfter(const std::wstring& text) {
  return Call(app_, L"InsertAfter", {String(text)});
}
bool ComWordApplication::SelectionMoveRight(int count) {
  return Call(app_, L"MoveRight", {Omitted(), Long(count), Omitted()});
}
bool ComWordApplication::SelectionMoveLeft(int count) {
  return Call(app_, L"MoveLeft", {Omitted(), Long(count), Omitted()});
}
bool ComWordApplication::SelectionDeleteChars(int count) { return Call(app_, L"Delete", {Omitted(), Long(count)}); }
bool ComWordApplication::SelectionInsertRows(int count) { return Call(app_, L"InsertRows", {Long(count)}); }

#endif  // _WIN32
