// Command tables: the binary records of the custom resource types 300 to 303 that the host and
// every extension module carry, and the one bounded reader of them that both command centres use.
//
// A table is one resource: an array of fixed-size little-endian records ended by a terminator
// record. A module may hold several resources of each type, under any name. The reader never
// reads past the resource's size: a table without its terminator ends at its last whole record,
// and a trailing partial record is dropped.
#pragma once
#include "quarnel_api.h"

#include <windows.h>

#include <stddef.h>

// Resource types of the command tables.
enum {
  RT_QVCOMMAND_CATEGORIES = 300,
  RT_QVCOMMANDS = 301,
  RT_QVSECURITY_FAMILIES = 302,
  RT_QVSECURITY_COMMANDS = 303,
};

// Type 302: a security family. A zero family id ends the table.
struct tagSECURITY_FAMILY {
  WORD wFamilyID;
  WORD wZero;
  DWORD dwDescriptionLabel;
};

// Type 303: a security command. A zero security id ends the table.
struct tagSECURITY_COMMAND {
  WORD wFamilyID;
  WORD wZero;
  DWORD dwDescriptionLabel;
  DWORD dwSecurityID;
  DWORD dwAdditionalDescriptionLabel;
};

// Bits of tagCOMMAND::wModifiers.
enum { CMDMOD_SHIFT = 0x1, CMDMOD_CTRL = 0x2, CMDMOD_ALT = 0x4 };

// Type 301: a command. A zero command id ends the table.
struct tagCOMMAND {
  WORD wID;
  WORD wSpare1;      // carried unchanged
  WORD wCheckStyle;  // 1 check button, 2 radio state (portable toolbars)
  WORD wSpare3;      // carried unchanged
  DWORD dwSecurityID;
  WORD wKey;        // default hot key, a virtual-key code; 0 = none
  WORD wModifiers;  // CMDMOD_*
  DWORD dwCommandClassLabel;  // 0 = plain command, else the label's text names the class
  DWORD dwControlClassLabel;
  DWORD dwNameLabel;
  DWORD dwMenuLabel;
  DWORD dwAltMenuLabel;
  DWORD dwTooltipLabel;
  DWORD dwMessageLabel;
  WORD wBitmapID;
  WORD wImageIndex;
  DWORD dwHelpID;
};

// Type 300: a command category. A record whose two values are 0 ends the table.
struct tagCOMMAND_CATEGORY {
  DWORD dwCategoryID;
  DWORD dwLabel;
};

static_assert(sizeof(tagSECURITY_FAMILY) == 8, "type 302 records are 8 bytes");
static_assert(sizeof(tagSECURITY_COMMAND) == 16, "type 303 records are 16 bytes");
static_assert(sizeof(tagCOMMAND) == 52, "type 301 records are 52 bytes");
static_assert(sizeof(tagCOMMAND_CATEGORY) == 8, "type 300 records are 8 bytes");
static_assert(offsetof(tagCOMMAND, dwSecurityID) == 8 && offsetof(tagCOMMAND, dwCommandClassLabel) == 16 &&
                  offsetof(tagCOMMAND, wBitmapID) == 44 && offsetof(tagCOMMAND, dwHelpID) == 48,
              "type 301 record layout");

// Receives the records of the tables, in table order. Each callback gets a copy of one whole
// record (never the terminator).
class QUARNEL_API CCommandTableSink {
 public:
  virtual ~CCommandTableSink();
  virtual void OnCategory(const tagCOMMAND_CATEGORY& record);
  virtual void OnCommand(const tagCOMMAND& record);
  virtual void OnSecurityFamily(const tagSECURITY_FAMILY& record);
  virtual void OnSecurityCommand(const tagSECURITY_COMMAND& record);
};

// How a table ended.
enum CommandTableEnd {
  CTE_TERMINATED,    // at its terminator record
  CTE_UNTERMINATED,  // at the end of the data, on a record boundary, with no terminator
  CTE_TRUNCATED,     // at the end of the data, inside a record (the partial record is dropped)
  CTE_UNKNOWN_TYPE,  // not a command-table type: nothing read
};

// Bytes of one record of a command-table type; 0 for any other type.
QUARNEL_API UINT CommandTableRecordSize(WORD type);

// Reads one table of `size` bytes at `data`; never reads outside them.
QUARNEL_API CommandTableEnd ReadCommandTable(WORD type, const void* data, DWORD size, CCommandTableSink& sink);

// Reads every resource of `type` in `module` (a loaded module or one loaded as a data file), one
// table per resource. A resource that cannot be found, loaded or locked is skipped; a table that
// ends without its terminator is reported to the trace log. FALSE when the module has no
// resource of that type.
QUARNEL_API BOOL ReadCommandTables(HMODULE module, WORD type, CCommandTableSink& sink);

// The modules whose command tables count, in reading order: the resource module of the current
// module state unless it is a system module, then every extension module of its chain that is
// not a system module and has a resource handle, in chain order. `visit` returns FALSE to stop.
typedef BOOL (*CommandTableModuleVisitor)(HMODULE module, void* context);
QUARNEL_API void EnumCommandTableModules(CommandTableModuleVisitor visit, void* context);

// ReadCommandTables over every module of EnumCommandTableModules.
QUARNEL_API void ReadCommandTablesOfChain(WORD type, CCommandTableSink& sink);
