#include "platform/afx/String.h"

#include <algorithm>

#include "platform/afx/WinApp.h"
#include "platform/win/Resource.h"

int CString::Find(const CString& sub, int start) const {
    if (start < 0 || start > GetLength()) return -1;
    const auto pos = m_str.find(sub.m_str, static_cast<std::size_t>(start));
    return pos == std::u16string::npos ? -1 : static_cast<int>(pos);
}

int CString::Delete(int index, int count) {
    if (index >= 0 && count > 0 && index < GetLength())
        m_str.erase(static_cast<std::size_t>(index), static_cast<std::size_t>(count));
    return GetLength();
}

CString CString::Mid(int first, int count) const {
    first = std::clamp(first, 0, GetLength());
    count = std::clamp(count, 0, GetLength() - first);
    return CString(m_str.substr(static_cast<std::size_t>(first), static_cast<std::size_t>(count)));
}

CString CString::Left(int count) const {
    return Mid(0, count);
}

BOOL CString::LoadString(UINT id) {
    const WCHAR* text = nullptr;
    const int length = LoadStringW(AfxGetResourceHandle(), id, reinterpret_cast<LPWSTR>(&text), 0);
    if (length <= 0) return FALSE;
    m_str.assign(text, static_cast<std::size_t>(length));
    return TRUE;
}
