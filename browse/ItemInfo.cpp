// Network resource records with strings of their own.
#include "ItemInfo.h"

namespace {
std::string Copy(const char* text) {
    return text ? text : "";
}
char* Point(const char* original, std::string& copy) {
    return original ? copy.data() : nullptr;
}
} // namespace

NetResourceCopy::NetResourceCopy(const NETRESOURCEA& source)
    : m_local(Copy(source.lpLocalName)), m_remote(Copy(source.lpRemoteName)),
      m_comment(Copy(source.lpComment)), m_provider(Copy(source.lpProvider)), m_resource(source) {
    m_resource.lpLocalName = Point(source.lpLocalName, m_local);
    m_resource.lpRemoteName = Point(source.lpRemoteName, m_remote);
    m_resource.lpComment = Point(source.lpComment, m_comment);
    m_resource.lpProvider = Point(source.lpProvider, m_provider);
}
