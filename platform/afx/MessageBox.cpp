#include "platform/afx/MessageBox.h"

#include "platform/afx/WinApp.h"
#include "platform/afx/Wnd.h"
#include "platform/com/TextConv.h"
#include "platform/win/WidgetWindow.h"

int AfxMessageBox(LPCWSTR text, UINT type) {
    CWnd* main = AfxGetMainWnd();
    HWND ownerWindow = main && IsWindow(main->m_hWnd) ? GetLastActivePopup(main->m_hWnd) : nullptr;
    GtkWidget* owner = GetWindowWidget(ownerWindow);
    const bool okCancel = (type & 0xF) == MB_OKCANCEL;
    GtkWidget* box = gtk_message_dialog_new(owner ? GTK_WINDOW(owner) : nullptr, GTK_DIALOG_MODAL,
                                            GTK_MESSAGE_WARNING,
                                            okCancel ? GTK_BUTTONS_OK_CANCEL : GTK_BUTTONS_OK, "%s",
                                            WideToUtf8(text ? text : u"").c_str());
    CWinApp* app = AfxGetApp();
    if (app) gtk_window_set_title(GTK_WINDOW(box), WideToUtf8(app->m_pszAppName).c_str());
    if (ownerWindow) EnableWindow(ownerWindow, FALSE);
    const int response = gtk_dialog_run(GTK_DIALOG(box));
    gtk_widget_destroy(box);
    if (ownerWindow && IsWindow(ownerWindow)) EnableWindow(ownerWindow, TRUE);
    return response == GTK_RESPONSE_OK ? IDOK : IDCANCEL;
}
