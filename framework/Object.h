// CObject and run-time class records: "is this object of that class" and creation by class record.
#pragma once

class CObject;

// One record per class that declares itself dynamic: its name, its base's record and, for classes
// that can be created by class (splitter panes, tab pages), a factory.
struct CRuntimeClass {
    const char* m_lpszClassName;
    const CRuntimeClass* m_pBaseClass;
    CObject* (*m_pfnCreateObject)();

    CObject* CreateObject() const;
    bool IsDerivedFrom(const CRuntimeClass* base) const;
};

class CObject {
public:
    virtual ~CObject() = default;
    virtual const CRuntimeClass* GetRuntimeClass() const;
    bool IsKindOf(const CRuntimeClass* cls) const;

    static const CRuntimeClass classCObject;

protected:
    CObject() = default;
};

#define RUNTIME_CLASS(class_name) (&class_name::class##class_name)

template <class T> T* AfxDynamicDownCast(const CRuntimeClass* cls, CObject* object) {
    return object && object->IsKindOf(cls) ? static_cast<T*>(object) : nullptr;
}
// The object as a class_name when it is one (or of a class derived from it); else null.
#define DYNAMIC_DOWNCAST(class_name, object)                                                       \
    AfxDynamicDownCast<class_name>(RUNTIME_CLASS(class_name), object)

#define DECLARE_DYNAMIC(class_name)                                                                \
public:                                                                                            \
    static const CRuntimeClass class##class_name;                                                  \
    const CRuntimeClass* GetRuntimeClass() const override;

#define DECLARE_DYNCREATE(class_name)                                                              \
    DECLARE_DYNAMIC(class_name)                                                                    \
    static CObject* CreateObject();

#define IMPLEMENT_RUNTIMECLASS_(class_name, base_name, factory)                                    \
    const CRuntimeClass class_name::class##class_name = {#class_name, RUNTIME_CLASS(base_name),    \
                                                         factory};                                 \
    const CRuntimeClass* class_name::GetRuntimeClass() const {                                     \
        return RUNTIME_CLASS(class_name);                                                          \
    }

#define IMPLEMENT_DYNAMIC(class_name, base_name)                                                   \
    IMPLEMENT_RUNTIMECLASS_(class_name, base_name, nullptr)

#define IMPLEMENT_DYNCREATE(class_name, base_name)                                                 \
    CObject* class_name::CreateObject() {                                                          \
        return new class_name;                                                                     \
    }                                                                                              \
    IMPLEMENT_RUNTIMECLASS_(class_name, base_name, &class_name::CreateObject)
