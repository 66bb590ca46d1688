// Runs the real main dialog, with the real engine, inside a test: the test body runs in the
// dialog's modal loop once the dialog is up, and the dialog ends when the body returns.
#pragma once

#include <gtest/gtest.h>
#include <gtk/gtk.h>

#include <functional>
#include <string>

#include "mainwnd/CorvaneDlg.h"
#include "platform/afx/WinApp.h"

class MainWindowTest : public testing::Test {
protected:
    static void SetUpTestSuite();
    void TearDown() override;

    // Runs dialog modally; body runs inside its loop once the window is shown and active.
    void RunDialog(CCorvaneDlg& dialog, const std::function<void(CCorvaneDlg&)>& body);

    static std::string AddressText(CCorvaneDlg& dialog);
    static void SetAddressText(CCorvaneDlg& dialog, const std::u16string& text);
    static std::string LocationUrl(CCorvaneDlg& dialog);
    static bool WaitForLocation(CCorvaneDlg& dialog, const std::string& url);
    static GtkWidget* TopLevel(CCorvaneDlg& dialog);
    // Real key presses through the X server, to the window that has the focus.
    static void PressKey(const char* key);
    static void SaveScreenshot(CCorvaneDlg& dialog, const std::string& name);

    CWinApp m_app{u"Veltrisk"};
};
