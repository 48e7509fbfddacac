// Helpers of the image tests: the pixels of any bitmap, files of given bytes.
#pragma once
#include <windows.h>

#include <string>

namespace imagetest {

// Reads all pixels of any bitmap as 0x00RRGGBB, top row first.
std::basic_string<DWORD> PixelsOf(HBITMAP bmp, int* width = nullptr, int* height = nullptr);

// Writes bytes to a new file; returns its path.
std::string WriteTempFile(const char* stem, const std::string& bytes);

}  // namespace imagetest
