// Configuration keys: registry keys named with placeholders.
//
// A key is a path of names separated by backslashes. Placeholders in it are replaced by
// these parts (<company>, <application> and <short name> set by SetConfigurationNames;
// by default "Qv", and the program file's name without its extension for both others):
//   %QVGENERALCFG%        Software\<company>\General
//   %QVDESKTOPCFG%        Software\<company>\<application>\Desktop
//   %CURRENT_USER_PREFS%  UserPrefs
//   %APPSHORTNAME%        <short name>
//   %APPLICATION_PREFS%   Software\<company>\<application>\Preferences
//   %APPCONFIG%           Software\<company>\<application>\Configuration
// An unknown placeholder (a name between two percent signs that is not in the table)
// makes the key invalid. The expanded key lies under HKEY_CURRENT_USER; the Get… functions
// read it there first and then under HKEY_LOCAL_MACHINE (machine-wide defaults), the
// SetUserKey… functions write it under HKEY_CURRENT_USER, creating missing keys.
//
// Key and value names and string values are UTF-8; strings are stored as REG_SZ (UTF-16).
// Every function answers 0 or more on success (the reads: the number of bytes given back)
// and one of the negative QVKEY_E_… codes on failure. A failed read leaves the caller's
// buffer as it was (a string buffer gets the empty text when it has room for it); a failed
// write leaves the stored value as it was.
#pragma once
#include "QvString.h"
#include "vekkel_api.h"

enum : long {
  QVKEY_E_NOTFOUND = -1,     // no such key or value
  QVKEY_E_WRONGTYPE = -2,    // the value has another type
  QVKEY_E_TOOLARGE = -3,     // the value does not fit the caller's buffer
  QVKEY_E_BADKEY = -4,       // null argument, empty key or unknown placeholder
  QVKEY_E_ACCESS = -5        // the registry refused the operation
};

// The names behind the placeholders; a null or empty argument keeps the current name.
VEKKEL_API void SetConfigurationNames(const char* company, const char* application,
                                      const char* shortName);
// The key with its placeholders replaced; false for an invalid key.
VEKKEL_API bool ExpandConfigurationKey(const char* key, QvString& expanded);

// A string value into buffer (size bytes, the terminating zero included): the number of
// bytes of the text.
VEKKEL_API long GetKeyStringValue(const char* key, const char* value, char* buffer,
                                  unsigned long size);
// The whole string value, whatever its length: its number of bytes; text emptied on failure.
VEKKEL_API long GetKeyStringValue(const char* key, const char* value, QvString& text);
VEKKEL_API long SetUserKeyStringValue(const char* key, const char* value, const char* text);

// A REG_DWORD value.
VEKKEL_API long GetKeyDWORDValue(const char* key, const char* value, unsigned long& data);
VEKKEL_API long SetUserKeyDWORDValue(const char* key, const char* value, unsigned long data);

// A REG_BINARY value of at most size bytes: the number of bytes read.
VEKKEL_API long GetKeyBinaryValue(const char* key, const char* value, void* buffer,
                                  unsigned long size);
VEKKEL_API long SetUserKeyBinaryValue(const char* key, const char* value, const void* data,
                                      unsigned long size);
