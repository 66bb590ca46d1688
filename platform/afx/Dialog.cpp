#include "platform/afx/Dialog.h"

#include "platform/afx/WinApp.h"
#include "platform/win/DialogTemplate.h"

LRESULT AfxDlgProc(HWND window, UINT message, WPARAM, LPARAM lParam) {
    if (message != WM_INITDIALOG) return FALSE;
    auto* dialog = reinterpret_cast<CDialog*>(lParam);
    dialog->SubclassWindow(window);
    return dialog->OnInitDialog();
}

CDialog::CDialog(UINT templateId, CWnd* parent) : m_pParentWnd(parent), m_nIDTemplate(templateId) {}

BOOL CDialog::CreateFromTemplate(UINT templateId, HWND owner) {
    HINSTANCE module = AfxGetResourceHandle();
    HRSRC resource =
        FindResourceW(module, MAKEINTRESOURCEW(templateId), MAKEINTRESOURCEW(RT_DIALOG));
    const auto* dialog =
        static_cast<const DialogTemplate*>(LockResource(LoadResource(module, resource)));
    if (!dialog) return FALSE;
    CreateDialogIndirectParamW(AfxGetInstanceHandle(), dialog, owner, &AfxDlgProc,
                               reinterpret_cast<LPARAM>(this));
    return m_hWnd ? TRUE : FALSE;
}

BOOL CDialog::Create(UINT templateId, CWnd* parent) {
    m_pParentWnd = parent;
    return CreateFromTemplate(templateId, parent ? parent->m_hWnd : nullptr);
}

HWND CDialog::ModalOwner() const {
    if (m_pParentWnd) return GetAncestorRoot(m_pParentWnd->m_hWnd);
    CWnd* main = AfxGetMainWnd();
    if (!main || main == this || !IsWindow(main->m_hWnd)) return nullptr;
    return GetLastActivePopup(main->m_hWnd);
}

INT_PTR CDialog::DoModal() {
    HWND owner = ModalOwner();
    const bool disableOwner = owner && IsWindowEnabled(owner);
    if (disableOwner) EnableWindow(owner, FALSE);
    m_nModalResult = -1;
    m_bModalDone = false;
    if (CreateFromTemplate(m_nIDTemplate, owner)) {
        if (!m_bModalDone) {
            SetWindowModal(m_hWnd, owner != nullptr);
            ShowWindow(SW_SHOW);
            PumpMessagesUntil(m_bModalDone);
        }
        DestroyWindow();
    }
    m_bModalDone = true;
    if (disableOwner && IsWindow(owner)) {
        EnableWindow(owner, TRUE);
        SetActiveWindow(owner);
    }
    return m_nModalResult;
}

void CDialog::EndDialog(int result) {
    m_nModalResult = result;
    m_bModalDone = true;
    if (m_hWnd) ShowWindow(SW_HIDE);
}

BOOL CDialog::OnInitDialog() {
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK() {
    if (!UpdateData(TRUE)) return;
    EndDialog(IDOK);
}

void CDialog::OnCancel() {
    EndDialog(IDCANCEL);
}

BOOL CDialog::UpdateData(BOOL saveAndValidate) {
    if (!m_hWnd) return FALSE;
    CDataExchange dx(m_hWnd, saveAndValidate);
    DoDataExchange(&dx);
    return TRUE;
}

BOOL CDialog::PreTranslateMessage(MSG* msg) {
    if (m_nFlags & WF_NOISDIALOGMSG) return FALSE;
    return IsDialogMessageW(m_hWnd, msg);
}

const AFX_MSGMAP* CDialog::GetThisMessageMap() {
    static const AFX_MSGMAP_ENTRY entries[] = {
        OnCommand<&CDialog::OnOKCommand>(IDOK),
        OnCommand<&CDialog::OnCancelCommand>(IDCANCEL),
    };
    static const AFX_MSGMAP map{&CWnd::GetThisMessageMap, entries, std::size(entries)};
    return &map;
}
