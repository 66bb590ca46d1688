#include "host/HostFixture.h"

#include "platform/win/ShellUIHelper.h"
#include "res/ResourceIds.h"

void HostTest::SetUpTestSuite() {
    MainWindowTest::SetUpTestSuite();
    RegisterShellClasses();
}

TestSite::TestSite() : m_dialog(IDD_MAIN_DIALOG, 0) {
    COleControlSite* site = nullptr;
    if (CreateCorvaneControlSite(&m_dialog, &m_container, &site))
        m_site = static_cast<CCorvaneControlSite*>(site);
}

TestSite::~TestSite() {
    if (m_site) m_site->ExternalRelease();
}

ULONG TestSite::RefCount() const {
    m_site->ExternalAddRef();
    return m_site->ExternalRelease();
}
