// QvFirst, the root of every portable object, and QvRuntimeClass, the record through which
// objects are created by class name and tell their kind.
//
// A class takes part with three macros:
//   in the class body:      QV_DECLARE_CLASS(QvThing)        (or QV_DECLARE_CREATABLE)
//   in one source file:     QV_IMPLEMENT_CLASS(QvThing, QV_RUNTIME_CLASS(QvBase))
//                           (or QV_IMPLEMENT_CREATABLE; pass nullptr for no registered base)
//                           QV_CLASSINIT(QvThing)   registers it by name at load
// A registration lasts as long as the module that made it: unloading the module removes it.
#pragma once
#include <stddef.h>

#include "vekkel_api.h"

class QvFirst;
class QvArchiveIn;
class QvArchiveOut;

class VEKKEL_API QvRuntimeClass {
 public:
  typedef QvFirst* (*CreateFunction)(size_t objectSize);

  QvRuntimeClass(const char* className, size_t objectSize, CreateFunction create, const QvRuntimeClass* base)
      : m_className(className), m_objectSize(objectSize), m_create(create), m_base(base) {}
  QvRuntimeClass(const QvRuntimeClass&) = delete;
  QvRuntimeClass& operator=(const QvRuntimeClass&) = delete;

  const char* GetName() const { return m_className; }  // (not GetClassName: a Win32 macro)
  size_t GetObjectSize() const { return m_objectSize; }
  const QvRuntimeClass* GetBaseClass() const { return m_base; }
  bool IsCreatable() const { return m_create != nullptr; }
  // A new object of this class, or null when the class is not creatable.
  QvFirst* CreateObject() const;
  // True for this record and every record on its chain of registered bases.
  bool IsDerivedFrom(const QvRuntimeClass* base) const;

  // The registered class of that name (exact, case-sensitive), null when none. When two
  // modules register the same name, the later registration is found.
  static const QvRuntimeClass* FromClassName(const char* className);
  static void Register(const QvRuntimeClass* record);
  static void Unregister(const QvRuntimeClass* record);

 private:
  const char* m_className;
  size_t m_objectSize;
  CreateFunction m_create;
  const QvRuntimeClass* m_base;
};

// Registers a record for the lifetime of this object (a static of the defining module).
class VEKKEL_API QvClassInit {
 public:
  explicit QvClassInit(const QvRuntimeClass* record) : m_record(record) { QvRuntimeClass::Register(record); }
  ~QvClassInit() { QvRuntimeClass::Unregister(m_record); }
  QvClassInit(const QvClassInit&) = delete;
  QvClassInit& operator=(const QvClassInit&) = delete;

 private:
  const QvRuntimeClass* m_record;
};

// An error record that an object may keep about its last failed operation.
class QvError;

class VEKKEL_API QvFirst {
 public:
  static QvRuntimeClass classQvFirst;

  QvFirst() = default;
  QvFirst(const QvFirst&) : m_lastError(nullptr) {}  // errors stay with their object
  QvFirst& operator=(const QvFirst&) { return *this; }
  virtual ~QvFirst();

  virtual void RemoveAndDestroyLastErrorObject();
  virtual unsigned long GetLastErrorId() const;  // 0 when there is no error
  virtual QvError* GetLastErrorObject() const;
  virtual const QvRuntimeClass* GetRuntimeClass() const;
  // True when the object's class is the given one or registered below it. Every object
  // is a QvFirst.
  virtual bool IsKindOf(const QvRuntimeClass* runtimeClass) const;
  // Persistence of the object's own fields; QvFirst has none.
  virtual void SerializeIn(QvArchiveIn& archive);
  virtual void SerializeOut(QvArchiveOut& archive);
  // Reserved hook for later extensions of a class; answers 0 here.
  virtual long QvPatch(long selector, void* data);

 protected:
  // Takes ownership of the error; replaces (and deletes) the one kept before.
  void SetLastErrorObject(QvError* error);

 private:
  QvError* m_lastError = nullptr;
};

class VEKKEL_API QvError : public QvFirst {
 public:
  static QvRuntimeClass classQvError;
  explicit QvError(unsigned long id = 0, const char* text = nullptr);
  ~QvError() override;
  const QvRuntimeClass* GetRuntimeClass() const override;
  unsigned long GetId() const { return m_id; }
  const char* GetText() const { return m_text ? m_text : ""; }

 private:
  QvError(const QvError&) = delete;
  QvError& operator=(const QvError&) = delete;
  unsigned long m_id;
  char* m_text;
};

// Inline: every short-lived object (a command status, a geometry value) ends through it.
inline QvFirst::~QvFirst() { delete m_lastError; }

// Creation function of a creatable class: allocates an object of that class and runs its
// default constructor.
template <class T>
QvFirst* QvCreateObjectOf(size_t /*objectSize*/) {
  return new T;
}

#define QV_RUNTIME_CLASS(name) (&name::class##name)

#define QV_DECLARE_CLASS(name)                                        \
 public:                                                              \
  static QvRuntimeClass class##name;                                  \
  const QvRuntimeClass* GetRuntimeClass() const override;

#define QV_DECLARE_CREATABLE(name) QV_DECLARE_CLASS(name)

#define QV_IMPLEMENT_RUNTIME_(name, base, create)                                 \
  QvRuntimeClass name::class##name(#name, sizeof(name), create, base);           \
  const QvRuntimeClass* name::GetRuntimeClass() const { return &name::class##name; }

#define QV_IMPLEMENT_CLASS(name, base) QV_IMPLEMENT_RUNTIME_(name, base, nullptr)
#define QV_IMPLEMENT_CREATABLE(name, base) QV_IMPLEMENT_RUNTIME_(name, base, &QvCreateObjectOf<name>)

#define QV_CLASSINIT(name) static QvClassInit s_qvClassInit_##name(QV_RUNTIME_CLASS(name));
