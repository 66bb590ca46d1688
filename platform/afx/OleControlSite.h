// COleControlSite: the container's object for one hosted control. It has one COM identity:
// one reference count, and QueryInterface that consults GetInterfaceHook first.
#pragma once

#include "platform/afx/CmdTarget.h"
#include "platform/com/ComPtr.h"
#include "platform/com/Unknown.h"
#include "platform/win/Window.h"

class COleControlContainer;
class CWnd;

class COleControlSite : public CCmdTarget {
public:
    explicit COleControlSite(COleControlContainer* container);
    ~COleControlSite() override;
    COleControlSite(const COleControlSite&) = delete;
    COleControlSite& operator=(const COleControlSite&) = delete;

    // Creates the control object, gives it this site, and attaches its window to wndCtrl.
    HRESULT CreateControl(CWnd* wndCtrl, REFCLSID clsid, DWORD style, const RECT& rect, UINT id);
    // Lets go of the control: it releases this site and its window goes.
    void CloseControl();

    HRESULT ExternalQueryInterface(REFIID iid, void** object);
    ULONG ExternalAddRef();
    ULONG ExternalRelease();
    IUnknown* GetControllingUnknown() { return &m_xUnknown; }

    COleControlContainer* m_pCtrlCont;
    CWnd* m_pWndCtrl = nullptr;
    IUnknown* m_pObject = nullptr;  // the control, one reference held
    HWND m_hWnd = nullptr;

protected:
    // Interfaces of a derived site, answered before the base's own.
    virtual IUnknown* GetInterfaceHook(REFIID iid);

private:
    struct XUnknown : IUnknown {
        explicit XUnknown(COleControlSite* site) : outer(site) {}
        HRESULT QueryInterface(REFIID iid, void** object) override;
        ULONG AddRef() override;
        ULONG Release() override;
        COleControlSite* outer;
    } m_xUnknown;
    ULONG m_dwRef = 1;
};
