// CString: the framework's ANSI text type (the process's code page: the system's legacy one, or
// UTF-8 where the manifest asks for it), a thin value type over std::string that converts to a
// C string wherever the Win32 "A" functions want one.
#pragma once

#include <windows.h>

#include <string>

class CString {
public:
    CString() = default;
    CString(const char* text) : m_text(text ? text : "") {}
    CString(const char* text, int length) : m_text(text, text ? length : 0) {}
    CString(char ch, int repeat = 1) : m_text(repeat > 0 ? repeat : 0, ch) {}
    CString(const std::string& text) : m_text(text) {}

    operator const char*() const { return m_text.c_str(); }
    const char* GetString() const { return m_text.c_str(); }
    const std::string& str() const { return m_text; }

    int GetLength() const { return static_cast<int>(m_text.size()); }
    bool IsEmpty() const { return m_text.empty(); }
    void Empty() { m_text.clear(); }
    char GetAt(int index) const { return m_text.at(static_cast<size_t>(index)); }
    void SetAt(int index, char ch) { m_text.at(static_cast<size_t>(index)) = ch; }

    CString Left(int count) const;
    CString Right(int count) const;
    CString Mid(int first) const;
    CString Mid(int first, int count) const;
    int Find(char ch, int start = 0) const;
    int Find(const char* text, int start = 0) const;
    int ReverseFind(char ch) const;
    int Replace(const char* from, const char* to);
    int Delete(int index, int count = 1);
    int Insert(int index, const char* text);
    CString& MakeUpper();
    CString& MakeLower();
    CString& TrimLeft();
    CString& TrimRight();
    CString& Trim() { return TrimRight().TrimLeft(); }
    int Compare(const char* other) const;
    // Ignoring case as the system does (lstrcmpi), for every character of the code page.
    int CompareNoCase(const char* other) const;

    void Format(const char* format, ...) __attribute__((format(__MINGW_PRINTF_FORMAT, 2, 3)));
    // Loads a string table entry of the application's resources; false (and empty) when absent.
    bool LoadString(UINT id);

    // Room for at least minLength characters to be written in place; ReleaseBuffer trims the
    // text at its first zero (or at newLength when given).
    char* GetBuffer(int minLength);
    void ReleaseBuffer(int newLength = -1);

    CString& operator=(const char* text);
    CString& operator+=(const char* text);
    CString& operator+=(char ch);
    CString& operator+=(const CString& text) { return *this += text.GetString(); }

    friend CString operator+(const CString& a, const CString& b) {
        return CString(a.m_text + b.m_text);
    }
    friend CString operator+(const CString& a, const char* b) {
        return CString(a.m_text + (b ? b : ""));
    }
    friend CString operator+(const char* a, const CString& b) {
        return CString((a ? a : "") + b.m_text);
    }
    friend CString operator+(const CString& a, char b) { return CString(a.m_text + b); }
    friend bool operator==(const CString& a, const CString& b) { return a.m_text == b.m_text; }
    friend bool operator==(const CString& a, const char* b) { return a.m_text == (b ? b : ""); }
    friend bool operator==(const char* a, const CString& b) { return b == a; }
    friend bool operator!=(const CString& a, const CString& b) { return !(a == b); }
    friend bool operator!=(const CString& a, const char* b) { return !(a == b); }
    friend bool operator<(const CString& a, const CString& b) { return a.m_text < b.m_text; }

private:
    std::string m_text;
};

// The order of two texts ignoring case, as the C runtime's multibyte-aware comparison gives it
// (_mbsicmp: character values after folding case, a double-byte character kept whole). Under
// UTF-8, which that runtime folds for ASCII only, every character is folded.
int CompareTextNoCase(const char* a, const char* b);
