// CString: the framework's UTF-16 text; lengths and indices count UTF-16 code units.
#pragma once

#include <string>
#include <string_view>

#include "platform/com/Types.h"

class CString {
public:
    CString() = default;
    CString(LPCWSTR text) : m_str(text ? text : u"") {}  // NOLINT: implicit as in the framework
    CString(std::u16string text) : m_str(std::move(text)) {}  // NOLINT
    CString(LPCWSTR text, int length) : m_str(text, static_cast<std::size_t>(length)) {}

    int GetLength() const { return static_cast<int>(m_str.size()); }
    bool IsEmpty() const { return m_str.empty(); }
    void Empty() { m_str.clear(); }
    LPCWSTR GetString() const { return m_str.c_str(); }
    operator LPCWSTR() const { return m_str.c_str(); }  // NOLINT
    const std::u16string& Str() const { return m_str; }

    // Index of the first occurrence of sub at or after start, or -1.
    int Find(const CString& sub, int start = 0) const;
    // Removes up to count code units from index; returns the new length.
    int Delete(int index, int count = 1);
    CString Mid(int first, int count) const;
    CString Left(int count) const;

    // Loads a string-table entry of the program's resources; false when there is none.
    BOOL LoadString(UINT id);

    CString& operator+=(const CString& other) {
        m_str += other.m_str;
        return *this;
    }
    friend CString operator+(const CString& a, const CString& b) {
        return CString(a.m_str + b.m_str);
    }
    friend bool operator==(const CString& a, const CString& b) { return a.m_str == b.m_str; }

private:
    std::u16string m_str;
};
