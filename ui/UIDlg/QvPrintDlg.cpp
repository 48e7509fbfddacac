#include <QvPrintDlg.h>

CQvPrintDlg::CQvPrintDlg(BOOL printSetupOnly, DWORD flags, CWnd* parent) : CPrintDialog(printSetupOnly, flags, parent) {
  m_pd.nMinPage = 1;
  m_pd.nMaxPage = 0;
  m_pd.Flags &= ~PD_SHOWHELP;
}
