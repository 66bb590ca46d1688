// Host-service tests run with the program's resources, the engine and the shell's classes, and
// can run the real main window (MainWindowTest). TestSite is a site as a dialog's factory makes
// it.
#pragma once

#include "host/CorvaneControlSite.h"
#include "mainwnd/MainWindowFixture.h"
#include "platform/afx/OleControlContainer.h"

class HostTest : public MainWindowTest {
protected:
    static void SetUpTestSuite();
};

// A site of a dialog that is never shown, given back when the test ends.
class TestSite {
public:
    TestSite();
    ~TestSite();
    TestSite(const TestSite&) = delete;
    TestSite& operator=(const TestSite&) = delete;

    CCorvaneControlSite* operator->() const { return m_site; }
    CCorvaneControlSite& operator*() const { return *m_site; }
    // The reference count, read without changing it.
    ULONG RefCount() const;

    CDHtmlDialog m_dialog;
    COleControlContainer m_container{&m_dialog};

private:
    CCorvaneControlSite* m_site = nullptr;
};
