// Label texts as framework strings.
#pragma once
#include <framework.h>

// The text of a label (empty for label 0), converted from the label manager's UTF-8.
void UILabelText(DWORD labelId, CString& text);
