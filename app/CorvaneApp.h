// The application object: start-up, the settings location and the companion control.
#pragma once

#include "platform/afx/WinApp.h"

class CCorvaneApp : public CWinApp {
public:
    CCorvaneApp();

    BOOL InitInstance() override;

    static const AFX_MSGMAP* GetThisMessageMap();
    const AFX_MSGMAP* GetMessageMap() const override { return GetThisMessageMap(); }

    // Where the settings file lives: the config folder's company and program folders, made
    // one level at a time; the registry when there is no config folder.
    void SettleSettingsLocation();
    // Loads KVRDL.ocx from the program's folder and calls its DllLocalRegister(0) once.
    void SetUpCompanionControl();
};
