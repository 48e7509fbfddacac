// CFile, CStdioFile, CMemFile, CSharedFile, the exceptions and CTime.
#include <gtest/gtest.h>

#include <framework.h>

#include <string>

#include "fwcore_test.h"
#include "test_support.h"

namespace {

using fwcore_test::Throws;

CString TempName(const char* stem) { return CString(testing_support::TempPath(stem).c_str()); }

TEST(File, WritesReadsSeeksAndSizes) {
  CString name = TempName("fwfile");
  {
    CFile f(name, CFile::modeCreate | CFile::modeReadWrite);
    EXPECT_EQ(f.GetFileName(), name.Mid(name.ReverseFind(_T('\\')) + 1));
    f.Write("hello world", 11);
    EXPECT_EQ(f.GetLength(), 11u);
    EXPECT_EQ(f.Seek(6, CFile::begin), 6u);
    char buf[16] = {};
    EXPECT_EQ(f.Read(buf, sizeof buf), 5u);
    EXPECT_STREQ(buf, "world");
    EXPECT_EQ(f.Read(buf, sizeof buf), 0u);
    f.SetLength(5);
    EXPECT_EQ(f.SeekToEnd(), 5u);
    CFileStatus st;
    EXPECT_TRUE(f.GetStatus(st));
    EXPECT_EQ(st.m_size, 5u);
  }
  CFileStatus st;
  ASSERT_TRUE(CFile::GetStatus(name, st));
  EXPECT_EQ(st.m_size, 5u);
  EXPECT_GT(st.m_mtime.GetTime(), 0);
  CString moved = name + _T(".moved");
  CFile::Rename(name, moved);
  EXPECT_FALSE(CFile::GetStatus(name, st));
  CFile::Remove(moved);
  EXPECT_FALSE(CFile::GetStatus(moved, st));
}

TEST(File, FailuresReportTheCauseAndTheName) {
  CString missing = TempName("fwmissing");
  CFile f;
  CFileException e;
  EXPECT_FALSE(f.Open(missing, CFile::modeRead, &e));
  EXPECT_EQ(e.m_cause, CFileException::fileNotFound);
  EXPECT_EQ(e.m_lOsError, ERROR_FILE_NOT_FOUND);
  TCHAR text[512];
  ASSERT_TRUE(e.GetErrorMessage(text, 512));
  EXPECT_NE(CString(text).Find(missing), -1) << CStringA(text).GetString();
  try {
    CFile opened(missing, CFile::modeRead);
    ADD_FAILURE() << "opened a missing file";
  } catch (CFileException* pe) {
    EXPECT_EQ(pe->m_cause, CFileException::fileNotFound);
    pe->Delete();
  }
  EXPECT_TRUE(Throws<CFileException>([&] { CFile::Remove(missing); }));
  EXPECT_TRUE(Throws<CFileException>([&] { f.Write("x", 1); }));  // not open
  EXPECT_FALSE(f.Open(_T(""), CFile::modeRead, &e));
  EXPECT_EQ(e.m_cause, CFileException::badPath);
}

TEST(StdioFile, TextLinesInBothDirections) {
  CString name = TempName("fwstdio");
  {
    CStdioFile f(name, CFile::modeCreate | CFile::modeWrite | CFile::typeText);
    f.WriteString(_T("first\n"));
    f.WriteString(CString(_T('x'), 1500) + _T("\n"));
    f.WriteString(_T("last without newline"));
  }
  std::string raw = testing_support::ReadFile(std::string(CStringA(name)));
  EXPECT_EQ(raw.substr(0, 7), "first\r\n");
  CStdioFile f(name, CFile::modeRead | CFile::typeText);
  CString line;
  ASSERT_TRUE(f.ReadString(line));
  EXPECT_EQ(line, _T("first"));
  ASSERT_TRUE(f.ReadString(line));
  EXPECT_EQ(line.GetLength(), 1500);
  TCHAR buf[5];
  ASSERT_NE(f.ReadString(buf, 5), nullptr);
  EXPECT_STREQ(buf, _T("last"));
  ASSERT_TRUE(f.ReadString(line));
  EXPECT_EQ(line, _T(" without newline"));
  EXPECT_FALSE(f.ReadString(line));
  EXPECT_TRUE(line.IsEmpty());
  f.Close();
  CFile::Remove(name);
}

TEST(MemFile, GrowsSeeksAndZeroFillsGaps) {
  CMemFile m(16);
  m.Write("abc", 3);
  m.Seek(10, CFile::begin);
  m.Write("z", 1);
  EXPECT_EQ(m.GetLength(), 11u);
  m.SeekToBegin();
  char buf[11];
  ASSERT_EQ(m.Read(buf, 11), 11u);
  EXPECT_EQ(std::string(buf, 11), std::string("abc\0\0\0\0\0\0\0z", 11));
  std::string big(100000, 'q');
  m.SeekToEnd();
  m.Write(big.data(), static_cast<UINT>(big.size()));
  EXPECT_EQ(m.GetLength(), 100011u);
  EXPECT_TRUE(Throws<CFileException>([&] { m.Seek(-1, CFile::begin); }));
  m.SetLength(2);
  EXPECT_EQ(m.GetPosition(), 2u);
  BYTE* block = m.Detach();
  ASSERT_NE(block, nullptr);
  EXPECT_EQ(block[1], 'b');
  free(block);
  EXPECT_EQ(m.GetLength(), 0u);
}

TEST(MemFile, FixedBuffersDoNotGrowAndCallerBlocksAreNeverReallocated) {
  BYTE fixed[4] = {1, 2, 3, 4};
  CMemFile f(fixed, 4);
  EXPECT_EQ(f.GetLength(), 4u);
  f.Write("\x09\x08", 2);
  EXPECT_EQ(fixed[0], 9);
  f.SeekToEnd();
  EXPECT_TRUE(Throws<CMemoryException>([&] { f.Write("x", 1); }));
  EXPECT_EQ(f.GetLength(), 4u);

  BYTE start[2] = {0, 0};
  CMemFile growing(start, 2, 64);  // the caller's block is a start; growth moves to our own
  growing.Write("0123456789", 10);
  EXPECT_EQ(growing.GetLength(), 10u);
  EXPECT_EQ(start[0], 0);  // left alone
  char back[10];
  growing.SeekToBegin();
  EXPECT_EQ(growing.Read(back, 10), 10u);
  EXPECT_EQ(std::string(back, 10), "0123456789");
  EXPECT_TRUE(Throws<CNotSupportedException>([&] { growing.Duplicate(); }));
}

TEST(SharedFile, HandsItsGlobalBlockOver) {
  CSharedFile sf;
  sf.Write("shared data", 12);
  HGLOBAL h = sf.Detach();
  ASSERT_NE(h, nullptr);
  EXPECT_GE(GlobalSize(h), 12u);
  EXPECT_STREQ(static_cast<const char*>(GlobalLock(h)), "shared data");
  GlobalUnlock(h);
  CSharedFile reader;
  reader.SetHandle(h, FALSE);
  char buf[12];
  EXPECT_EQ(reader.Read(buf, 12), 12u);
  EXPECT_STREQ(buf, "shared data");
  reader.SeekToEnd();
  EXPECT_TRUE(Throws<CMemoryException>([&] { reader.Write(buf, 12); }));  // growth not allowed
}

int CALLBACK AnswerYes(LPCTSTR, UINT, UINT) { return IDYES; }
CString g_lastText;
int CALLBACK Record(LPCTSTR text, UINT, UINT) {
  g_lastText = text;
  return IDOK;
}

TEST(Exceptions, MessagesReportsAndMacros) {
  AFX_MESSAGEBOX_HOOK old = AfxSetMessageBoxHook(Record);
  CFileException fe(CFileException::diskFull, ERROR_DISK_FULL, _T("C:\\out.dat"));
  EXPECT_EQ(fe.ReportError(), IDOK);
  EXPECT_EQ(g_lastText, _T("Disk full while accessing C:\\out.dat."));
  CArchiveException ae(CArchiveException::badSchema, _T("doc.qv"));
  ae.ReportError();
  EXPECT_EQ(g_lastText, _T("doc.qv contains an incorrect schema."));
  CUserException ue;
  ue.ReportError(MB_OK, 101);
  EXPECT_EQ(g_lastText, _T("Loaded text"));
  AfxSetMessageBoxHook(AnswerYes);
  EXPECT_EQ(AfxMessageBox(_T("Proceed?"), MB_YESNO), IDYES);
  AfxSetMessageBoxHook(old);

  EXPECT_EQ(COleException::Process(&fe), E_UNEXPECTED);
  CMemoryException me;
  EXPECT_EQ(COleException::Process(&me), E_OUTOFMEMORY);
  COleException oe(E_NOINTERFACE);
  EXPECT_EQ(COleException::Process(&oe), E_NOINTERFACE);
  EXPECT_EQ(CFileException::OsErrorToException(ERROR_SHARING_VIOLATION), CFileException::sharingViolation);

  // The shared out-of-memory exception survives Delete.
  try {
    AfxThrowMemoryException();
  } catch (CMemoryException* e) {
    e->Delete();
    EXPECT_TRUE(e->IsKindOf(RUNTIME_CLASS(CException)));
  }
  int caught = 0;
  TRY { AfxThrowOleException(E_FAIL); }
  CATCH(CFileException, e) { (void)e; }
  AND_CATCH(COleException, e) { caught = e->m_sc == E_FAIL ? 1 : -1; }
  END_CATCH
  EXPECT_EQ(caught, 1);
  TRY {
    TRY { AfxThrowUserException(); }
    CATCH_ALL(e) { THROW_LAST(); }
    END_CATCH_ALL
  }
  CATCH(CUserException, e) { caught = 2; }
  END_CATCH
  EXPECT_EQ(caught, 2);
}

TEST(Time, FieldsFormatsAndArithmetic) {
  CTime t(2024, 2, 29, 13, 45, 10);
  EXPECT_EQ(t.GetYear(), 2024);
  EXPECT_EQ(t.GetMonth(), 2);
  EXPECT_EQ(t.GetDay(), 29);
  EXPECT_EQ(t.GetHour(), 13);
  EXPECT_EQ(t.GetMinute(), 45);
  EXPECT_EQ(t.GetSecond(), 10);
  EXPECT_EQ(t.GetDayOfWeek(), 5);  // a Thursday
  EXPECT_EQ(t.Format(_T("%Y-%m-%d %H:%M:%S")), _T("2024-02-29 13:45:10"));
  EXPECT_EQ(t.Format(104U), _T("2024-02-29"));
  CTime later = t + CTimeSpan(1, 2, 3, 4);
  CTimeSpan d = later - t;
  EXPECT_EQ(d.GetDays(), 1);
  EXPECT_EQ(d.GetHours(), 2);
  EXPECT_EQ(d.GetMinutes(), 3);
  EXPECT_EQ(d.GetSeconds(), 4);
  EXPECT_EQ(later.GetDay(), 1);  // March 1st
  SYSTEMTIME st;
  ASSERT_TRUE(t.GetAsSystemTime(st));
  EXPECT_EQ(CTime(st), t);
  EXPECT_GT(CTime::GetCurrentTime(), t);
  EXPECT_TRUE(fwcore_test::ThrowsInvalidArg([] { CTime bad(2024, 13, 1, 0, 0, 0); }));
  EXPECT_TRUE(fwcore_test::ThrowsInvalidArg([] { CTime bad(1800, 1, 1, 0, 0, 0); }));
}

}  // namespace
