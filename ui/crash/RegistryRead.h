// Bounded registry reads for the crash report's system description.
#pragma once
#include <windows.h>

#include <string>

// Reads a text value (REG_SZ, REG_EXPAND_SZ, or REG_BINARY holding UTF-16 text) of at most
// 1024 characters as UTF-8, whether or not the stored text ends in a terminator. False when
// the key or value is missing, too long or of another type; *out is then left alone.
bool RegReadString(HKEY root, const char* subkey, const char* value, std::string* out);
// Reads a REG_MULTI_SZ value of at most 4096 characters as UTF-8 strings separated by NULs.
bool RegReadStrings(HKEY root, const char* subkey, const char* value, std::string* out);
