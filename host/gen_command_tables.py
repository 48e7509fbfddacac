#!/usr/bin/env python3
"""Writes the sample host's command tables: command_tables.rch (resource types 300 to 303, their
labels, the main menu and the accelerator table) and command_ids.h.

Run it from anywhere after changing the lists below; both outputs are committed.
"""
import os
import re

HERE = os.path.dirname(os.path.abspath(__file__))

# Security families: id, description. Security commands: id, family, description, more.
FAMILIES = [
    (1, "Documents"), (2, "Editing"), (3, "Formatting"), (4, "Data access"),
    (5, "Analysis"), (6, "Administration"),
]
SECURITY = [
    (1001, 1, "Open and save documents", "Open, save, close and export report documents"),
    (1002, 1, "Print documents", "Print, preview and set up pages"),
    (1003, 2, "Edit documents", "Undo, clipboard and search"),
    (1004, 3, "Format reports", "Fonts, number formats and styles"),
    (1005, 4, "Refresh data", "Refresh and purge the data of queries"),
    (1006, 4, "Edit queries", "Change the data providers of a report"),
    (1007, 5, "Drill and slice", "Drill through dimensions and rotate tables"),
    (1008, 5, "Run macros", "Run the macros of a report"),
    (1009, 6, "Administer", "Options, add-ins and security settings"),
]

VK = {"F%d" % i: 0x6F + i for i in range(1, 25)}
VK.update({"Del": 0x2E, "Ins": 0x2D, "Home": 0x24, "End": 0x23, "PgUp": 0x21, "PgDown": 0x22,
           "Tab": 0x09, "Esc": 0x1B, "Back": 0x08, "Enter": 0x0D, "Space": 0x20,
           "Plus": 0xBB, "Minus": 0xBD})
MODS = {"Shift": 1, "Ctrl": 2, "Alt": 4}


def key(spec):
    """'Ctrl+Shift+S' -> (vk, modifier bits); '' -> (0, 0)."""
    if not spec:
        return 0, 0
    parts = spec.split("+")
    mods = sum(MODS[p] for p in parts[:-1])
    k = parts[-1]
    return (VK[k] if k in VK else ord(k.upper())), mods


# Categories: id, name, security id of its commands, commands (symbol, menu text, key, tooltip).
# A command's menu text carries the menu's "&" mnemonic; the tooltip is its short name.
CATEGORIES = [
    (1, "File", 1001, [
        ("FILE_NEW", "&New", "Ctrl+N"), ("FILE_OPEN", "&Open...", "Ctrl+O"),
        ("FILE_CLOSE", "&Close", "Ctrl+F4"), ("FILE_SAVE", "&Save", "Ctrl+S"),
        ("FILE_SAVE_AS", "Save &As...", "F12"), ("FILE_SAVE_ALL", "Save A&ll", ""),
        ("FILE_EXPORT_PDF", "Export as &PDF...", ""), ("FILE_EXPORT_TEXT", "Export as &Text...", ""),
        ("FILE_EXPORT_HTML", "Export as &HTML...", ""), ("FILE_SEND_MAIL", "Sen&d by Mail...", ""),
        ("FILE_PROPERTIES", "Propert&ies...", "Alt+Enter"),
        ("FILE_PAGE_SETUP", "Page Set&up...", "", 1002), ("FILE_PRINT_PREVIEW", "Print Pre&view", "Ctrl+F2", 1002),
        ("FILE_PRINT", "&Print...", "Ctrl+P", 1002), ("FILE_EXIT", "E&xit", "Alt+F4"),
    ]),
    (2, "Edit", 1003, [
        ("EDIT_UNDO", "&Undo", "Ctrl+Z"), ("EDIT_REDO", "&Redo", "Ctrl+Y"),
        ("EDIT_CUT", "Cu&t", "Ctrl+X"), ("EDIT_COPY", "&Copy", "Ctrl+C"),
        ("EDIT_PASTE", "&Paste", "Ctrl+V"), ("EDIT_PASTE_SPECIAL", "Paste &Special...", "Ctrl+Shift+V"),
        ("EDIT_CLEAR", "Cle&ar", "Del"), ("EDIT_SELECT_ALL", "Select A&ll", "Ctrl+A"),
        ("EDIT_FIND", "&Find...", "Ctrl+F"), ("EDIT_FIND_NEXT", "Find &Next", "F3"),
        ("EDIT_REPLACE", "R&eplace...", "Ctrl+H"), ("EDIT_GOTO", "&Go To...", "Ctrl+G"),
        ("EDIT_COPY_ALL", "Copy A&ll", "Ctrl+Shift+C"), ("EDIT_DUPLICATE", "&Duplicate", "Ctrl+D"),
    ]),
    (3, "View", 0, [
        ("VIEW_REFRESH", "&Refresh", "F5", 1005), ("VIEW_TOOLBAR", "&Toolbar", ""),
        ("VIEW_STATUS_BAR", "&Status Bar", ""), ("VIEW_FORMULA_BAR", "&Formula Bar", ""),
        ("VIEW_NAVIGATION", "&Navigation Map", "Ctrl+M"), ("VIEW_FULL_SCREEN", "F&ull Screen", "F11"),
        ("VIEW_STRUCTURE", "Str&ucture", "Ctrl+Shift+U"), ("VIEW_GRID", "&Grid", ""),
        ("VIEW_RULERS", "Rul&ers", ""), ("VIEW_PAGE_MODE", "&Page Mode", ""),
        ("VIEW_NEXT_PAGE", "Next Pa&ge", "PgDown"), ("VIEW_PREVIOUS_PAGE", "Previous P&age", "PgUp"),
        ("VIEW_FIRST_PAGE", "Fi&rst Page", "Ctrl+Home"), ("VIEW_LAST_PAGE", "&Last Page", "Ctrl+End"),
    ] + [("VIEW_ZOOM_%d" % z, "Zoom %d%%" % z, "") for z in (10, 25, 50, 75, 100, 125, 150, 200, 300, 400)]
      + [("VIEW_ZOOM_IN", "Zoom &In", "Ctrl+Plus"), ("VIEW_ZOOM_OUT", "Zoom &Out", "Ctrl+Minus")]),
    (4, "Insert", 1003, [
        ("INSERT_TABLE", "&Table", ""), ("INSERT_CROSSTAB", "&Cross Tab", ""),
        ("INSERT_CHART", "C&hart...", ""), ("INSERT_CELL", "C&ell", ""),
        ("INSERT_PICTURE", "&Picture...", ""), ("INSERT_REPORT", "&Report", ""),
        ("INSERT_PAGE_NUMBER", "Page &Number", ""), ("INSERT_DATE", "&Date", ""),
        ("INSERT_BREAK", "&Break", "Ctrl+Enter"), ("INSERT_SECTION", "&Section", ""),
    ] + [("INSERT_CHART_%d" % i, "%s Chart" % n, "") for i, n in enumerate(
        ["Column", "Stacked Column", "Bar", "Stacked Bar", "Line", "Area", "Pie", "Doughnut",
         "Scatter", "Bubble", "Radar", "Stock", "Surface", "Cone", "Cylinder", "Pyramid",
         "3D Column", "3D Bar", "3D Line", "3D Pie"], 1)]),
    (5, "Format", 1004, [
        ("FORMAT_CELL", "&Cell...", "Ctrl+1"), ("FORMAT_TABLE", "&Table...", ""),
        ("FORMAT_REPORT", "&Report...", ""), ("FORMAT_PAGE", "&Page...", ""),
        ("FORMAT_BOLD", "&Bold", "Ctrl+B"), ("FORMAT_ITALIC", "&Italic", "Ctrl+I"),
        ("FORMAT_UNDERLINE", "&Underline", "Ctrl+U"), ("FORMAT_ALIGN_LEFT", "Align &Left", ""),
        ("FORMAT_ALIGN_CENTER", "Align Ce&nter", ""), ("FORMAT_ALIGN_RIGHT", "Align &Right", ""),
        ("FORMAT_WRAP", "&Wrap Text", ""), ("FORMAT_BORDERS", "B&orders...", ""),
        ("FORMAT_CLEAR", "Clear &Formats", "Ctrl+Space"), ("FORMAT_PAINTER", "Format P&ainter", ""),
    ] + [("FORMAT_NUMBER_%d" % i, n, "") for i, n in enumerate(
        ["General", "Number", "Currency", "Accounting", "Short Date", "Long Date", "Time",
         "Percentage", "Fraction", "Scientific", "Text", "Thousands", "Millions", "Billions"], 1)]
      + [("FORMAT_STYLE_%d" % i, "Style %d" % i, "") for i in range(1, 31)]),
    (6, "Data", 1005, [
        ("DATA_REFRESH_ALL", "Refresh &All", "Ctrl+F5"), ("DATA_PURGE", "&Purge", ""),
        ("DATA_EDIT_QUERY", "&Edit Query...", "", 1006), ("DATA_NEW_QUERY", "&New Query...", "", 1006),
        ("DATA_VIEW_DATA", "&View Data...", ""), ("DATA_PROVIDERS", "Data P&roviders...", "", 1006),
        ("DATA_SORT_ASC", "Sort &Ascending", ""), ("DATA_SORT_DESC", "Sort &Descending", ""),
        ("DATA_FILTER", "&Filter...", ""), ("DATA_RANK", "&Rank...", ""),
        ("DATA_BREAK", "&Break", ""), ("DATA_SUM", "&Sum", ""),
    ] + [("DATA_SORT_COL_%s" % c, "Sort by Column %s" % c, "") for c in "ABCDEFGHIJKLMNOPQRSTUVWXYZ"]
      + [("DATA_CALC_%d" % i, n, "") for i, n in enumerate(
          ["Count", "Count All", "Average", "Minimum", "Maximum", "Percentage", "Running Sum",
           "Running Count", "Variance", "Standard Deviation"], 1)]),
    (7, "Analysis", 1007, [
        ("ANALYSIS_DRILL", "&Drill Mode", "Ctrl+Shift+D"), ("ANALYSIS_DRILL_UP", "Drill &Up", ""),
        ("ANALYSIS_DRILL_DOWN", "Drill &Down", ""), ("ANALYSIS_DRILL_BY", "Drill &By...", ""),
        ("ANALYSIS_SLICE", "&Slice and Dice...", ""), ("ANALYSIS_PIVOT", "&Pivot", ""),
        ("ANALYSIS_ALERTER", "&Alerters...", ""), ("ANALYSIS_RANKING", "&Ranking...", ""),
        ("ANALYSIS_FORMULA", "&Formula...", "Ctrl+Shift+F"), ("ANALYSIS_VARIABLE", "&Variables...", ""),
    ] + [("ANALYSIS_DRILL_LEVEL_%d" % i, "Drill to Level %d" % i, "") for i in range(1, 21)]
      + [("ANALYSIS_MACRO_%d" % i, "Run Macro %d" % i, "", 1008) for i in range(1, 51)]),
    (8, "Tools", 1009, [
        ("TOOLS_OPTIONS", "&Options...", ""), ("TOOLS_CUSTOMIZE", "&Customize...", ""),
        ("TOOLS_ADDINS", "&Add-ins...", ""), ("TOOLS_MACROS", "&Macros...", "Alt+F8", 1008),
        ("TOOLS_VBA", "Macro &Editor...", "Alt+F11", 1008), ("TOOLS_SECURITY", "&Security...", ""),
        ("TOOLS_SPELLING", "S&pelling...", "F7", 1003), ("TOOLS_LANGUAGE", "&Language...", ""),
    ] + [("TOOLS_ADDIN_%d" % i, "Add-in %d" % i, "") for i in range(1, 21)]),
    (9, "Window", 0, [
        ("WINDOW_NEW", "&New Window", ""), ("WINDOW_CASCADE", "&Cascade", "Shift+F5"),
        ("WINDOW_TILE_H", "Tile &Horizontally", ""), ("WINDOW_TILE_V", "Tile &Vertically", ""),
        ("WINDOW_ARRANGE", "&Arrange Icons", ""), ("WINDOW_CLOSE_ALL", "C&lose All", ""),
        ("WINDOW_NEXT", "Ne&xt Window", "Ctrl+F6"), ("WINDOW_PREVIOUS", "&Previous Window", "Ctrl+Shift+F6"),
    ]),
    (10, "Help", 0, [
        ("HELP_CONTENTS", "&Contents", "F1"), ("HELP_INDEX", "&Index", ""),
        ("HELP_WHATS_THIS", "&What's This?", "Shift+F1"), ("HELP_TIPS", "&Tips", ""),
        ("HELP_ABOUT", "&About Quarnel Sample Host...", ""),
    ]),
]

# Entries of the accelerator table that differ from the tables' default keys: the accelerator
# table is applied after the tables and wins.
ACCEL_OVERRIDES = {"FILE_SAVE_AS": "F12", "VIEW_REFRESH": "F5", "EDIT_GOTO": "F6",
                   "FILE_PRINT_PREVIEW": "Ctrl+Shift+P"}
# Defaults written into the tables only (the accelerator table does not carry them).
TABLE_ONLY = {"FILE_SAVE_AS": "Shift+F12", "VIEW_REFRESH": ""}

# Commands that stand on the portable toolbars as combo boxes: symbol, menu text, category,
# security id, id, command class (an adaptor of the portable layer), class of the host's maker
# of the control. The zoom box has the id whose value changes the zoom combo box sends as its
# command, so that a typed zoom runs it as a chosen one does.
CONTROLS = [
    ("VIEW_ZOOM_BOX", "&Zoom", 3, 0, 34876, "QvCommandForZoomComboBox", "HostZoomComboMaker"),
    ("FORMAT_FONT_BOX", "&Font", 5, 1004, 34877, "QvCommandForFontsComboBox", "HostFontsComboMaker"),
]

FIRST_ID = 32800          # command ids; kept below 0xE000
FIRST_LABEL = 20000       # five labels per command from here
FAMILY_LABEL = 19000
SECURITY_LABEL = 19100
CATEGORY_LABEL = 19500
CLASS_LABEL = 19800       # class names of the controls' commands and makers
BITMAP_ID = 300           # one image strip; each command its index in it


def plain(text):
    return re.sub(r"&(.)", r"\1", text).replace("...", "")


def rc_string(text):
    return '"' + text.replace('"', '""') + '"'


def main():
    commands = []
    for cat_id, cat_name, cat_sec, items in CATEGORIES:
        for item in items:
            symbol, menu, keyspec = item[:3]
            sec = item[3] if len(item) > 3 else cat_sec
            commands.append((symbol, menu, keyspec, sec, cat_id))
    sequential = len(commands)
    for symbol, menu, cat_id, sec, _, _, _ in CONTROLS:
        commands.append((symbol, menu, "", sec, cat_id))
    ids = {}
    rc, strings, header = [], [], []
    header += ["// Written by gen_command_tables.py: command ids of the sample host.", "#pragma once", ""]
    for n, (symbol, menu, keyspec, sec, cat_id) in enumerate(commands):
        ids[symbol] = FIRST_ID + n if n < sequential else CONTROLS[n - sequential][4]
        header.append("#define ID_%s %d" % (symbol, ids[symbol]))
    header.append("#define IDR_MAINMENU 100")
    header.append("#define IDR_MAINACCEL 101")
    header.append("#define IDB_COMMANDS %d" % BITMAP_ID)
    header.append("#define HOST_COMMAND_COUNT %d" % sequential)
    header.append("#define HOST_FIRST_COMMAND %d" % FIRST_ID)

    rc += ["// Written by gen_command_tables.py: the sample host's command tables, their labels,",
           "// the main menu and the accelerator table.", '#include <windows.h>', '#include "command_ids.h"', ""]

    rc += ["// Security families: family id, 0, description label.", "1 302", "BEGIN"]
    for fid, text in FAMILIES:
        rc.append("  %d, 0, %dL," % (fid, FAMILY_LABEL + fid))
        strings.append((FAMILY_LABEL + fid, text))
    rc += ["  0, 0, 0L", "END", ""]

    rc += ["// Security commands: family id, 0, description label, security id, more label.", "1 303", "BEGIN"]
    for i, (sid, fid, text, more) in enumerate(SECURITY):
        rc.append("  %d, 0, %dL, %dL, %dL," % (fid, SECURITY_LABEL + 2 * i, sid, SECURITY_LABEL + 2 * i + 1))
        strings.append((SECURITY_LABEL + 2 * i, text))
        strings.append((SECURITY_LABEL + 2 * i + 1, more))
    rc += ["  0, 0, 0L, 0L, 0L", "END", ""]

    rc += ["// Categories: category id, label.", "1 300", "BEGIN"]
    for cat_id, cat_name, _, _ in CATEGORIES:
        rc.append("  %dL, %dL," % (cat_id, CATEGORY_LABEL + cat_id))
        strings.append((CATEGORY_LABEL + cat_id, cat_name))
    rc += ["  0L, 0L", "END", ""]

    rc += ["// Commands: id, spare, check style, spare, security id, key, modifiers, command class,",
           "// control class, name, menu, popup menu, tooltip, message labels, bitmap, image, help id.",
           "1 301", "BEGIN"]
    for n, (symbol, menu, keyspec, sec, cat_id) in enumerate(commands):
        vk, mods = key(TABLE_ONLY.get(symbol, keyspec))
        base = FIRST_LABEL + 5 * n
        check = 1 if symbol.startswith("VIEW_") and symbol[5:] in (
            "TOOLBAR", "STATUS_BAR", "FORMULA_BAR", "GRID", "RULERS", "PAGE_MODE") else 0
        classes, bitmap = "0L, 0L", "IDB_COMMANDS, %d" % (n % 64)
        if n >= sequential:  # a combo box: its two class names, no image
            c = n - sequential
            classes, bitmap = "%dL, %dL" % (CLASS_LABEL + 2 * c, CLASS_LABEL + 2 * c + 1), "0, 0"
            strings.append((CLASS_LABEL + 2 * c, CONTROLS[c][5]))
            strings.append((CLASS_LABEL + 2 * c + 1, CONTROLS[c][6]))
        rc.append("  ID_%s, 0, %d, 0, %dL, 0x%02X, %d, %s, %dL, %dL, 0L, %dL, %dL, %s, %dL,"
                  % (symbol, check, sec, vk, mods, classes, base, base + 1, base + 3, base + 4, bitmap, ids[symbol]))
        strings.append((base, plain(menu)))
        strings.append((base + 1, menu))
        strings.append((base + 3, plain(menu)))
        strings.append((base + 4, "%s: %s" % (CATEGORIES[cat_id - 1][1], plain(menu))))
    rc += ["  " + ", ".join(["0"] * 4 + ["0L", "0", "0"] + ["0L"] * 7 + ["0", "0", "0L"]), "END", ""]

    rc += ["IDR_MAINMENU MENU", "BEGIN"]
    for cat_id, cat_name, _, items in CATEGORIES:
        rc += ['  POPUP "&%s"' % cat_name, "  BEGIN"]
        for item in items[:24]:
            rc.append('    MENUITEM %s, ID_%s' % (rc_string(item[1]), item[0]))
        rc.append("  END")
    rc += ["END", ""]

    rc += ["IDR_MAINACCEL ACCELERATORS", "BEGIN"]
    for symbol, menu, keyspec, sec, cat_id in commands:
        spec = ACCEL_OVERRIDES.get(symbol, keyspec)
        if not spec:
            continue
        vk, mods = key(spec)
        flags = ["VIRTKEY"] + [m.upper() if m != "Ctrl" else "CONTROL" for m in ("Shift", "Ctrl", "Alt")
                                if mods & MODS[m]]
        rc.append("  0x%02X, ID_%s, %s" % (vk, symbol, ", ".join(flags)))
    rc += ["END", ""]

    rc += ["STRINGTABLE", "BEGIN"]
    for lid, text in sorted(strings):
        rc.append("  %d, %s" % (lid, rc_string(text)))
    rc += ["END", ""]

    with open(os.path.join(HERE, "command_tables.rch"), "w", newline="\n") as f:
        f.write("\n".join(rc))
    with open(os.path.join(HERE, "command_ids.h"), "w", newline="\n") as f:
        f.write("\n".join(header) + "\n")
    print("%d commands, %d labels" % (len(commands), len(strings)))


if __name__ == "__main__":
    main()
