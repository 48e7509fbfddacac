#include "QvFirst.h"

#include <windows.h>
#include <string.h>

#include <vector>

namespace {

// Registered records, newest last. The lock is usable before any static constructor runs.
SRWLOCK g_registryLock = SRWLOCK_INIT;

std::vector<const QvRuntimeClass*>& Registry() {
  static std::vector<const QvRuntimeClass*>* records = new std::vector<const QvRuntimeClass*>;
  return *records;  // never destroyed: modules unregister during their own unload
}

}  // namespace

QvFirst* QvRuntimeClass::CreateObject() const { return m_create ? m_create(m_objectSize) : nullptr; }

bool QvRuntimeClass::IsDerivedFrom(const QvRuntimeClass* base) const {
  if (!base) return false;
  for (const QvRuntimeClass* c = this; c; c = c->m_base)
    if (c == base) return true;
  return false;
}

const QvRuntimeClass* QvRuntimeClass::FromClassName(const char* className) {
  if (!className) return nullptr;
  AcquireSRWLockShared(&g_registryLock);
  const QvRuntimeClass* found = nullptr;
  auto& records = Registry();
  for (size_t i = records.size(); i-- > 0;) {
    if (strcmp(records[i]->m_className, className) == 0) {
      found = records[i];
      break;
    }
  }
  ReleaseSRWLockShared(&g_registryLock);
  return found;
}

void QvRuntimeClass::Register(const QvRuntimeClass* record) {
  if (!record) return;
  AcquireSRWLockExclusive(&g_registryLock);
  Registry().push_back(record);
  ReleaseSRWLockExclusive(&g_registryLock);
}

void QvRuntimeClass::Unregister(const QvRuntimeClass* record) {
  AcquireSRWLockExclusive(&g_registryLock);
  auto& records = Registry();
  for (size_t i = records.size(); i-- > 0;) {
    if (records[i] == record) {
      records.erase(records.begin() + static_cast<long>(i));
      break;
    }
  }
  ReleaseSRWLockExclusive(&g_registryLock);
}

QvRuntimeClass QvFirst::classQvFirst("QvFirst", sizeof(QvFirst), &QvCreateObjectOf<QvFirst>, nullptr);
QV_CLASSINIT(QvFirst)


void QvFirst::RemoveAndDestroyLastErrorObject() {
  delete m_lastError;
  m_lastError = nullptr;
}
unsigned long QvFirst::GetLastErrorId() const { return m_lastError ? m_lastError->GetId() : 0; }
QvError* QvFirst::GetLastErrorObject() const { return m_lastError; }
const QvRuntimeClass* QvFirst::GetRuntimeClass() const { return &classQvFirst; }

bool QvFirst::IsKindOf(const QvRuntimeClass* runtimeClass) const {
  if (runtimeClass == &classQvFirst) return true;
  const QvRuntimeClass* mine = GetRuntimeClass();
  return mine && mine->IsDerivedFrom(runtimeClass);
}

void QvFirst::SerializeIn(QvArchiveIn&) {}
void QvFirst::SerializeOut(QvArchiveOut&) {}
long QvFirst::QvPatch(long, void*) { return 0; }

void QvFirst::SetLastErrorObject(QvError* error) {
  if (error == m_lastError) return;
  delete m_lastError;
  m_lastError = error;
}

QvRuntimeClass QvError::classQvError("QvError", sizeof(QvError), &QvCreateObjectOf<QvError>, &QvFirst::classQvFirst);
QV_CLASSINIT(QvError)

QvError::QvError(unsigned long id, const char* text) : m_id(id), m_text(nullptr) {
  if (text) {
    size_t n = strlen(text) + 1;
    m_text = new char[n];
    memcpy(m_text, text, n);
  }
}
QvError::~QvError() { delete[] m_text; }
const QvRuntimeClass* QvError::GetRuntimeClass() const { return &classQvError; }
