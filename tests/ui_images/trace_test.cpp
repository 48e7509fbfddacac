// Failing image routines leave a trace line that tells a system call that failed (Error level,
// the call and its error code) from an argument or input refused before any call (Info level).
#include <gtest/gtest.h>

#include <UIImages.h>

#include "dib_canvas.h"
#include "image_testing.h"
#include "test_support.h"

#include <stdlib.h>

#include <functional>
#include <sstream>
#include <string>
#include <vector>

namespace {

using testing_support::DibCanvas;

// The trace lines written while `action` ran: "<level>|<logger>|<place>|<signature>|<text>".
std::vector<std::string> TraceOf(const std::function<void()>& action) {
  const std::string path = testing_support::TempPath("imgtrace");
  _putenv_s("ULMORA_LOG", path.c_str());
  action();
  _putenv_s("ULMORA_LOG", "");
  std::vector<std::string> lines;
  std::istringstream in(testing_support::ReadFile(path));
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  DeleteFileA(path.c_str());
  return lines;
}

// The level and the text (after the last '|') of each line.
bool Has(const std::vector<std::string>& lines, char level, const std::string& text) {
  for (const std::string& l : lines)
    if (l[0] == level && l.substr(l.rfind('|') + 1).find(text) != std::string::npos) return true;
  return false;
}
bool HasLevel(const std::vector<std::string>& lines, char level) {
  for (const std::string& l : lines)
    if (l[0] == level) return true;
  return false;
}

std::string Joined(const std::vector<std::string>& lines) {
  std::string all;
  for (const std::string& l : lines) all += l + "\n";
  return all;
}

TEST(ImageTraces, FailedCallsAndRefusedArgumentsAreToldApart) {
  DibCanvas canvas(16, 16);
  DibCanvas selected(16, 8);  // its bitmap is selected into its own DC: no other DC can take it
  const std::string missingPath = testing_support::TempPath("nofile"), notBmpPath =
      imagetest::WriteTempFile("notbmp", std::string(64, 'x'));
  const std::basic_string<TCHAR> missing(missingPath.begin(), missingPath.end()),
      notBmp(notBmpPath.begin(), notBmpPath.end());
  struct Case {
    const char* name;
    std::function<bool()> fails;  // true when the routine answered failure
    bool callFailed;               // a system call failed (else an argument was refused)
    const char* text;
  };
  const Case cases[] = {
      {"strip selected into another DC",
       [&] { return DrawImage(canvas.dc(), POINT{0, 0}, selected.bitmap(), 0, 8, 0) == 0; }, true,
       "SelectObject failed, error "},
      {"missing file", [&] { return LoadDIB(missing.c_str()) == NULL; }, true, "CreateFile failed, error 2"},
      {"zero image width", [&] { return DrawImage(canvas.dc(), POINT{0, 0}, selected.bitmap(), 0, 0, 0) == 0; },
       false, "DrawImage - refused: image width"},
      {"file without the signature", [&] { return LoadDIB(notBmp.c_str()) == NULL; }, false,
       "LoadDIB - refused: no \"BM\" signature"},
      {"no DIB", [] { return DIB2BMP(NULL, NULL) == NULL; }, false, "DIB2BMP - refused: no DIB"},
      {"image past the strip",
       [&] { return DrawDisabledBitmap(canvas.dc(), 0, 0, selected.bitmap(), 8, 2, false) == FALSE; }, false,
       "DrawDisabledBitmap - refused: image width or index out of range"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    bool failed = false;
    const std::vector<std::string> lines = TraceOf([&] { failed = c.fails(); });
    EXPECT_TRUE(failed);
    const char level = c.callFailed ? '1' : '2', other = c.callFailed ? '2' : '1';
    EXPECT_TRUE(Has(lines, level, c.text)) << Joined(lines);
    EXPECT_FALSE(HasLevel(lines, other)) << Joined(lines);
  }
  DeleteFileA(notBmpPath.c_str());
}

}  // namespace
