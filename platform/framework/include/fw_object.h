// CObject and run-time class information.
#pragma once
#include "fw_defs.h"

class CObject;
class CArchive;

// One record per class: its name, size, schema, base and factory. Classes made with
// IMPLEMENT_DYNAMIC/_DYNCREATE/_SERIAL are registered at load under the module that holds
// the record, so that lookup by name follows the module chain (host, framework, extensions).
struct FW_API CRuntimeClass {
  LPCSTR m_lpszClassName;
  int m_nObjectSize;
  UINT m_wSchema;  // 0xFFFF for classes that are not serializable
  CObject*(PASCAL* m_pfnCreateObject)();
  CRuntimeClass* m_pBaseClass;
  CRuntimeClass* m_pNextClass;  // the module's class list

  CObject* CreateObject();
  BOOL IsDerivedFrom(const CRuntimeClass* pBaseClass) const;

  // Creation and lookup by name through every module of the chain; NULL when unknown or
  // not creatable.
  static CRuntimeClass* PASCAL FromName(LPCSTR lpszClassName);
  static CRuntimeClass* PASCAL FromName(LPCWSTR lpszClassName);
  static CObject* PASCAL CreateObject(LPCSTR lpszClassName);
  static CObject* PASCAL CreateObject(LPCWSTR lpszClassName);
};

// Static registration of a class record with the module that contains it.
struct FW_API AFX_CLASSINIT {
  explicit AFX_CLASSINIT(CRuntimeClass* pNewClass);
  ~AFX_CLASSINIT();
  CRuntimeClass* m_pClass;
};

#define RUNTIME_CLASS(class_name) (class_name::GetThisClass())

#define DECLARE_DYNAMIC(class_name)                  \
 public:                                             \
  static CRuntimeClass class##class_name;            \
  static CRuntimeClass* PASCAL GetThisClass();       \
  virtual CRuntimeClass* GetRuntimeClass() const override;

#define DECLARE_DYNCREATE(class_name) \
  DECLARE_DYNAMIC(class_name)         \
  static CObject* PASCAL CreateObject();

// Reads an object of pClass (or derived) from the archive; see CArchive::ReadObject.
FW_API CObject* AFXAPI FwReadObject(CArchive& ar, const CRuntimeClass* pClass);

#define DECLARE_SERIAL(class_name)                                       \
  DECLARE_DYNCREATE(class_name)                                          \
  friend CArchive& AFXAPI operator>>(CArchive& ar, class_name*& pOb) {   \
    pOb = static_cast<class_name*>(FwReadObject(ar, RUNTIME_CLASS(class_name))); \
    return ar;                                                           \
  }

#define FW_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, wSchema, pfnNew)                  \
  CRuntimeClass class_name::class##class_name = {#class_name, (int)sizeof(class class_name),     \
                                                 wSchema, pfnNew, RUNTIME_CLASS(base_class_name), \
                                                 NULL};                                          \
  static AFX_CLASSINIT _init_##class_name(&class_name::class##class_name);                       \
  CRuntimeClass* PASCAL class_name::GetThisClass() { return &class_name::class##class_name; }    \
  CRuntimeClass* class_name::GetRuntimeClass() const { return &class_name::class##class_name; }

#define IMPLEMENT_DYNAMIC(class_name, base_class_name) \
  FW_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, 0xFFFF, NULL)

#define IMPLEMENT_DYNCREATE(class_name, base_class_name)                    \
  CObject* PASCAL class_name::CreateObject() { return new class_name; }    \
  FW_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, 0xFFFF, class_name::CreateObject)

#define IMPLEMENT_SERIAL(class_name, base_class_name, wSchema)                               \
  CObject* PASCAL class_name::CreateObject() { return new class_name; }                     \
  FW_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, wSchema, class_name::CreateObject)

class FW_API CObject {
 public:
  static CRuntimeClass classCObject;
  static CRuntimeClass* PASCAL GetThisClass();
  virtual CRuntimeClass* GetRuntimeClass() const;
  virtual ~CObject() = default;

  BOOL IsKindOf(const CRuntimeClass* pClass) const;
  BOOL IsSerializable() const;
  virtual void Serialize(CArchive& ar);
  virtual void AssertValid() const {}

 protected:
  CObject() = default;

 private:
  CObject(const CObject&) = delete;
  CObject& operator=(const CObject&) = delete;
};

// Checked downcast: NULL when the object is not of the class.
#define DYNAMIC_DOWNCAST(class_name, object) \
  ((class_name*)FwDynamicDownCast(RUNTIME_CLASS(class_name), (object)))
#define STATIC_DOWNCAST(class_name, object) (static_cast<class_name*>(object))
FW_API CObject* AFXAPI FwDynamicDownCast(CRuntimeClass* pClass, CObject* pObject);
