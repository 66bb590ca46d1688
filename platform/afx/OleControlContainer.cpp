#include "platform/afx/OleControlContainer.h"

#include "platform/afx/OleControlSite.h"
#include "platform/afx/Wnd.h"

COleControlContainer::~COleControlContainer() {
    for (COleControlSite* site : m_sites) {
        site->CloseControl();
        site->ExternalRelease();
    }
}

COleControlSite* COleControlContainer::CreateControl(CWnd* wndCtrl, REFCLSID clsid, DWORD style,
                                                     const RECT& rect, UINT id) {
    COleControlSite* site = nullptr;
    if (!m_pWnd->CreateControlSite(this, &site, id, clsid) || !site)
        site = new COleControlSite(this);
    if (FAILED(site->CreateControl(wndCtrl, clsid, style, rect, id))) {
        site->ExternalRelease();
        return nullptr;
    }
    m_sites.push_back(site);
    return site;
}
