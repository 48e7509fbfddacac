// Small services of the portable layer: the wait cursor, help, and the character set of a
// font face.
#pragma once
#include <vekkel.h>

#include "quarnel_api.h"

enum QvHourCmd { QvHourBegin = 0, QvHourEnd = 1, QvHourReset = 2 };

// Through the application's wait cursor: begin adds a wait level, end removes one, reset
// removes up to 20. Nothing while dialogs are bypassed (an unattended run).
QUARNEL_API void QvHourGlass(QvHourCmd cmd);

class QUARNEL_API QvHelpMgr {
 public:
  static void AddFile(QvString name);
  static const QvString& GetFile();
  // The application's help: WinHelp(data, command).
  static void Help(unsigned short command, unsigned long data);
};

// Completes the font with a character set that its face really has on dc: the ANSI code
// page's when the face has it, else the face's first one. Answers for a face are kept
// (exact face name) unless noCache is non-zero, which neither reads nor writes the cache.
QUARNEL_API void SetCharSetFromFaceName(HDC dc, LOGFONTW& font, int noCache);
