// Veltrisk starts here: the program's resources and the WebBrowser class are what Windows
// would provide before the framework's entry point runs.
#include "app/CorvaneApp.h"
#include "engine/WebBrowser.h"
#include "platform/win/ShellUIHelper.h"
#include "res/ProgramResources.h"

CCorvaneApp theApp;

int main(int argc, char** argv) {
    SetProgramResources(ProgramResources());
    RegisterWebBrowserClass();
    RegisterShellClasses();
    return AfxWinMain(argc, argv);
}
