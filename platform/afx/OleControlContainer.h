// The control container of a window: it makes a site for each control the window hosts and
// lets go of them when the window is destroyed.
#pragma once

#include <vector>

#include "platform/com/Guid.h"
#include "platform/win/Geometry.h"

class CWnd;
class COleControlSite;

class COleControlContainer {
public:
    explicit COleControlContainer(CWnd* wnd) : m_pWnd(wnd) {}
    ~COleControlContainer();
    COleControlContainer(const COleControlContainer&) = delete;
    COleControlContainer& operator=(const COleControlContainer&) = delete;

    // The window's CreateControlSite makes the site; a plain COleControlSite when it declines.
    COleControlSite* CreateControl(CWnd* wndCtrl, REFCLSID clsid, DWORD style, const RECT& rect,
                                   UINT id);

    CWnd* m_pWnd;

private:
    std::vector<COleControlSite*> m_sites;
};
