// CString operations.
#include "FwString.h"

#include "WinApp.h"
#include "engine/platform/AnsiText.h"

#include <mbstring.h>

#include <algorithm>
#include <cctype>
#include <cstdarg>
#include <cstdio>
#include <cstring>

namespace {
size_t clampIndex(int index, size_t size) {
    return index < 0 ? 0 : std::min(static_cast<size_t>(index), size);
}

using quarvel::platform::NarrowFromWide;
using quarvel::platform::WideFromNarrow;

// Case changes go through UTF-16: in UTF-8 a character's changed case can take more or fewer
// bytes, which an in-place change of the narrow text cannot give.
std::string ChangeCase(const std::string& text, bool upper) {
    std::wstring wide = WideFromNarrow(text.c_str());
    if (wide.empty())
        return text;
    if (upper)
        CharUpperBuffW(&wide[0], static_cast<DWORD>(wide.size()));
    else
        CharLowerBuffW(&wide[0], static_cast<DWORD>(wide.size()));
    return NarrowFromWide(wide.c_str());
}
} // namespace

CString CString::Left(int count) const {
    return CString(m_text.substr(0, clampIndex(count, m_text.size())));
}

CString CString::Right(int count) const {
    size_t n = clampIndex(count, m_text.size());
    return CString(m_text.substr(m_text.size() - n));
}

CString CString::Mid(int first) const {
    return CString(m_text.substr(clampIndex(first, m_text.size())));
}

CString CString::Mid(int first, int count) const {
    size_t start = clampIndex(first, m_text.size());
    return CString(m_text.substr(start, clampIndex(count, m_text.size() - start)));
}

int CString::Find(char ch, int start) const {
    size_t at = m_text.find(ch, clampIndex(start, m_text.size()));
    return at == std::string::npos ? -1 : static_cast<int>(at);
}

int CString::Find(const char* text, int start) const {
    size_t at = m_text.find(text ? text : "", clampIndex(start, m_text.size()));
    return at == std::string::npos ? -1 : static_cast<int>(at);
}

int CString::ReverseFind(char ch) const {
    size_t at = m_text.rfind(ch);
    return at == std::string::npos ? -1 : static_cast<int>(at);
}

int CString::Replace(const char* from, const char* to) {
    size_t fromLength = from ? std::strlen(from) : 0;
    if (fromLength == 0)
        return 0;
    std::string replacement = to ? to : "";
    int count = 0;
    for (size_t at = m_text.find(from); at != std::string::npos;
         at = m_text.find(from, at + replacement.size())) {
        m_text.replace(at, fromLength, replacement);
        ++count;
    }
    return count;
}

int CString::Delete(int index, int count) {
    size_t start = clampIndex(index, m_text.size());
    m_text.erase(start, clampIndex(count, m_text.size() - start));
    return GetLength();
}

int CString::Insert(int index, const char* text) {
    m_text.insert(clampIndex(index, m_text.size()), text ? text : "");
    return GetLength();
}

CString& CString::MakeUpper() {
    m_text = ChangeCase(m_text, true);
    return *this;
}

CString& CString::MakeLower() {
    m_text = ChangeCase(m_text, false);
    return *this;
}

CString& CString::TrimLeft() {
    size_t first = 0;
    while (first < m_text.size() && std::isspace(static_cast<unsigned char>(m_text[first])))
        ++first;
    m_text.erase(0, first);
    return *this;
}

CString& CString::TrimRight() {
    while (!m_text.empty() && std::isspace(static_cast<unsigned char>(m_text.back())))
        m_text.pop_back();
    return *this;
}

int CString::Compare(const char* other) const {
    return std::strcmp(m_text.c_str(), other ? other : "");
}

int CString::CompareNoCase(const char* other) const {
    // Compared as UTF-16, converted from the process's own code page.
    return lstrcmpiW(WideFromNarrow(m_text.c_str()).c_str(), WideFromNarrow(other).c_str());
}

int CompareTextNoCase(const char* a, const char* b) {
    a = a ? a : "";
    b = b ? b : "";
    if (GetACP() != CP_UTF8)
        return _mbsicmp(reinterpret_cast<const unsigned char*>(a),
                        reinterpret_cast<const unsigned char*>(b));
    std::wstring first = WideFromNarrow(a), second = WideFromNarrow(b);
    if (!first.empty())
        CharLowerBuffW(&first[0], static_cast<DWORD>(first.size()));
    if (!second.empty())
        CharLowerBuffW(&second[0], static_cast<DWORD>(second.size()));
    return first.compare(second);
}

void CString::Format(const char* format, ...) {
    va_list args;
    va_start(args, format);
    va_list measure;
    va_copy(measure, args);
    int length = std::vsnprintf(nullptr, 0, format, measure);
    va_end(measure);
    if (length < 0) {
        m_text.clear();
    } else {
        std::string text(static_cast<size_t>(length) + 1, '\0');
        std::vsnprintf(&text[0], text.size(), format, args);
        text.resize(static_cast<size_t>(length));
        m_text.swap(text);
    }
    va_end(args);
}

bool CString::LoadString(UINT id) {
    char buffer[1024];
    int length = ::LoadStringA(AfxGetResourceHandle(), id, buffer, sizeof buffer);
    m_text.assign(buffer, length > 0 ? static_cast<size_t>(length) : 0);
    return length > 0;
}

char* CString::GetBuffer(int minLength) {
    if (minLength > GetLength())
        m_text.resize(static_cast<size_t>(minLength));
    return &m_text[0];
}

void CString::ReleaseBuffer(int newLength) {
    if (newLength < 0)
        m_text.resize(std::strlen(m_text.c_str()));
    else
        m_text.resize(clampIndex(newLength, m_text.size()));
}

CString& CString::operator=(const char* text) {
    m_text = text ? text : "";
    return *this;
}

CString& CString::operator+=(const char* text) {
    m_text += text ? text : "";
    return *this;
}

CString& CString::operator+=(char ch) {
    m_text += ch;
    return *this;
}
