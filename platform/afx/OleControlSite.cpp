#include "platform/afx/OleControlSite.h"

#include <utility>

#include "platform/afx/OleControlContainer.h"
#include "platform/afx/Wnd.h"
#include "platform/com/ClassRegistry.h"
#include "platform/win/HostedControl.h"

COleControlSite::COleControlSite(COleControlContainer* container)
    : m_pCtrlCont(container), m_xUnknown(this) {}

COleControlSite::~COleControlSite() {
    CloseControl();
}

HRESULT COleControlSite::CreateControl(CWnd* wndCtrl, REFCLSID clsid, DWORD style, const RECT& rect,
                                       UINT id) {
    CComPtr<IHostedControl> control;
    HRESULT hr = CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IHostedControl,
                                  reinterpret_cast<void**>(&control));
    if (FAILED(hr)) return hr;
    hr = control->SetClientSite(GetControllingUnknown());
    HWND window = nullptr;
    if (SUCCEEDED(hr))
        hr = control->CreateControlWindow(m_pCtrlCont->m_pWnd->m_hWnd, &rect, id, &window);
    if (FAILED(hr) || !window) {
        control->Close();
        return FAILED(hr) ? hr : E_FAIL;
    }
    if (!(style & WS_VISIBLE)) ::ShowWindow(window, SW_HIDE);
    m_hWnd = window;
    control->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&m_pObject));
    m_pWndCtrl = wndCtrl;
    if (wndCtrl) wndCtrl->SubclassWindow(window);
    return S_OK;
}

void COleControlSite::CloseControl() {
    if (m_pWndCtrl) m_pWndCtrl->m_pCtrlSite = nullptr;
    m_pWndCtrl = nullptr;
    IUnknown* object = std::exchange(m_pObject, nullptr);
    if (!object) return;
    CComPtr<IHostedControl> control;
    if (SUCCEEDED(object->QueryInterface(IID_IHostedControl, reinterpret_cast<void**>(&control))))
        control->Close();
    object->Release();
    m_hWnd = nullptr;
}

HRESULT COleControlSite::ExternalQueryInterface(REFIID iid, void** object) {
    if (!object) return E_POINTER;
    *object = nullptr;
    IUnknown* found = GetInterfaceHook(iid);
    if (!found && IsEqualGUID(iid, IID_IUnknown)) found = &m_xUnknown;
    if (!found) return E_NOINTERFACE;
    *object = found;
    ExternalAddRef();
    return S_OK;
}

ULONG COleControlSite::ExternalAddRef() {
    return ++m_dwRef;
}

ULONG COleControlSite::ExternalRelease() {
    const ULONG count = --m_dwRef;
    if (count == 0) delete this;
    return count;
}

IUnknown* COleControlSite::GetInterfaceHook(REFIID) {
    return nullptr;
}

HRESULT COleControlSite::XUnknown::QueryInterface(REFIID iid, void** object) {
    return outer->ExternalQueryInterface(iid, object);
}

ULONG COleControlSite::XUnknown::AddRef() {
    return outer->ExternalAddRef();
}

ULONG COleControlSite::XUnknown::Release() {
    return outer->ExternalRelease();
}
