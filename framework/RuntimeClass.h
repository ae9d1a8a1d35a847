// CRuntimeClass: the run-time class record of a window class, as the class library keeps it:
// the class's name, its base class's record, its schema and its creation function.
//
//   class CMyCtrl : public CStatic { DECLARE_DYNAMIC(CMyCtrl) ... };
//   IMPLEMENT_DYNAMIC(CMyCtrl, CStatic)
//
// A class without DECLARE_DYNAMIC reports its base's record.
#pragma once

#include <windows.h>

class CWnd;

struct CRuntimeClass {
    LPCSTR m_lpszClassName;
    // 0xFFFF: not serialisable.
    UINT m_wSchema;
    // NULL: the class cannot be created by name.
    CWnd* (*m_pfnCreateObject)();
    const CRuntimeClass* m_pBaseClass;
};

#define RUNTIME_CLASS(theClass) (&theClass::class##theClass)

#define DECLARE_DYNAMIC(theClass)                                                              \
public:                                                                                        \
    static const CRuntimeClass class##theClass;                                                \
    const CRuntimeClass* GetRuntimeClass() const override;

// Constant-initialised: the record is in place before any static object could ask for it.
#define IMPLEMENT_DYNAMIC(theClass, baseClass)                                                 \
    const CRuntimeClass theClass::class##theClass = {#theClass, 0xFFFF, nullptr, RUNTIME_CLASS(baseClass)}; \
    const CRuntimeClass* theClass::GetRuntimeClass() const { return RUNTIME_CLASS(theClass); }
