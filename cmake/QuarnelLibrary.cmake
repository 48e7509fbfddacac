# quarnel: the user-interface library, a framework extension DLL, built from one object library
# per area (see QuarnelAreas.cmake). Both editions come from the same sources; the earlier
# (ANSI) edition adds the files of edition/ to the areas they extend.
#
# Layering, lowest first: an area may include only its own headers and those of the areas it
# names in USES. The framework side (ui/) uses the portable layer (gui/) only through gui/core:
# its exported value types, and the command status the open/save dialog asks for its rights
# command; the portable layer uses the framework side only through
# ui/shared, for its pictures ui/images, and for the window of its nail strip ui/nails.
include(cmake/QuarnelAreas.cmake)

# The platform's, the framework's and the standard library's headers that most of the areas'
# units include, precompiled once for all areas (each area still reaches only the library
# headers its USES allow: none of them is in here).
quarnel_area_pch(<framework.h> <commctrl.h> <vector> <string> <algorithm> <memory> <new> <string.h>)

# What both sides need: export macro, UI utilities and pattern brushes, the drawing core of both
# drawing views and the pace of their panning, drag and drop data, the drawing resources
# and the resource ids of the shared bitmaps, the command-table reader, hot-key texts, label
# texts, the fill-colour blend, the look of owner-drawn menu items, the failure-trace
# convention, the one way to register a window class (and the library's module they belong to),
# the Far-East line-breaking rules (the view's text layout and the message dialog's wrapping both
# follow them), the Far-East font of the small controls (tool-table buttons, nail strips), the start-up
# mode read from the command line, and the drawing of a bitmap in a display mode and state
# (the portable image control and the drawing view both use it).
quarnel_area(ui/shared OPEN
  SOURCES BlendFillColors.cpp BrushArray.cpp CommandTables.cpp ControlClass.cpp DrawingResources.cpp UIDrawingCore.cpp UIPanPacer.cpp UIPanning.cpp ResizableLayout.cpp ResizableSheet.cpp ResizablePage.cpp ResizableFormView.cpp
          MenuItemLook.cpp UIDefaultFont.cpp UIDragData.cpp UIHotKey.cpp UILabelText.cpp UITrace.cpp UIUtilities.cpp GUIPatterns.rc UICommands.rc LibraryCursors.rc
          FarEastRules.cpp LanguageFont.cpp UIProcessMode.cpp UIBitmapInState.cpp
  LINK framework vekkel brevin solvane ulmora shlwapi version comctl32 shell32)

# DIB, bitmap and image-list routines, TIFF import.
quarnel_area(ui/images
  SOURCES UIBitmapLooks.cpp UIBitmapUtilities.cpp UIImageBits.cpp UIImageStrips.cpp UIPackedDib.cpp UITiff.cpp
  USES ui/shared
  LINK framework ulmora libtiff comctl32)

# Nail strips: the framework's strip of nails and the window behind the portable one (gui/core's
# nail strip binds to it).
quarnel_area(ui/nails
  SOURCES UIToolNails.cpp
  USES ui/shared
  LINK framework vekkel brevin ulmora)

# The portable layer's core: commands and their texts, start-up, value types (geometry, fonts,
# colours, the character set, page formats, hyperlink strings), the roots of windows and
# containers, images (which are made, read and drawn with the image routines of ui/images), the nail strip
# (over ui/nails' window).
quarnel_area(gui/core
  SOURCES GUICursors.cpp GUIInitialisations.cpp GUIPlatformGlue.cpp GUIPlatformUtilities.cpp PlatformGUI.cpp QvAction.cpp QvCharSet.cpp QvColor.cpp
          QvCommandCenter.cpp QvCommandDef.cpp QvCommandHandler.cpp QvControl.cpp QvControlNotifications.cpp
          QvEffectiveCommands.cpp QvFont.cpp QvGeometry.cpp QvGUIContainer.cpp QvHotKeyText.cpp QvHourGlass.cpp QvListCell.cpp QvPageFormat.cpp QvSecurityCommands.cpp
          QvToolTipText.cpp QvWindow.cpp QvRootView.cpp
          QvHyperlinkStrings.cpp QvMailLink.cpp QvUrlParam.cpp
          QvImage.cpp QvImageList.cpp GUIImageCtrl.cpp
          QvToolNail.cpp
  USES ui/nails ui/images ui/shared
  LINK framework vekkel brevin solvane ulmora shell32 comctl32 winspool comdlg32)

# The portable bars: toolbars and their manager, menus and their keys, context and dynamic
# menus with the context window, the status bar with its layouts, panes and images, and the
# frames that host them.
quarnel_area(gui/bars
  SOURCES QvToolbar.cpp GUIToolBar.cpp QvToolBarManager.cpp
          QvDynamicMenu.cpp QvMenu.cpp QvMenuKeys.cpp QvStandardShortCuts.cpp ContextWnd.cpp QvContextMenu.cpp
          QvStatusRoot.cpp QvStatusBar.cpp QvStatusPanes.cpp QvStatusLayouts.cpp StatusImages.cpp
          GUIFrameWnd.cpp
  USES gui/core ui/shared
  LINK framework vekkel brevin solvane ulmora comctl32)

# Portable views and dialogs, drag and drop, and the printer that prints the views.
quarnel_area(gui/widgets
  SOURCES GUIDialog.cpp QvDialog.cpp MultiModalDialog.cpp
          GUIView.cpp GUIViewDraw.cpp GUIViewInput.cpp GUIViewPrint.cpp GUIViewText.cpp QvView.cpp QvDragDrop.cpp QvDragSel.cpp QvPrinter.cpp
  USES gui/bars gui/core ui/shared
  LINK framework vekkel brevin solvane ulmora ole32 comdlg32)

# Portable controls: text, number, list and combo kinds with their bindings, the toolbar
# combos of commands, the image control (shown in a portable view).
quarnel_area(gui/controls
  SOURCES GUIListControls.cpp GUINumberControls.cpp GUITextControls.cpp QvControlBindings.cpp QvListControls.cpp
          QvNumberControls.cpp QvTextControls.cpp GUIComboKinds.cpp QvComboKinds.cpp GUIWidgetBitmaps.rc GUIPatternLabels.rc
          GUIToolbarCombos.cpp QvCommandCombos.cpp QvImageCtrl.cpp
  USES gui/widgets gui/core ui/shared
  LINK framework vekkel brevin solvane ulmora)

# The portable text view on the rich edit control, its window, and the image control's text
# view.
quarnel_area(gui/textview
  SOURCES QvTextView.cpp GUITextView.cpp QvImageCtrlTextView.cpp
  USES gui/controls gui/widgets gui/core ui/shared
  LINK framework vekkel brevin solvane)

# The portable message boxes and their window (with the earlier edition's save-name check);
# the folder, colour and print dialogs and the print preview of the portable view.
quarnel_area(gui/dialogs
  SOURCES MFCMsgDialog.cpp QvMsgDialog.cpp GUIMsgDialog.rc
          QvColorDialog.cpp QvGetDirectoryDialog.cpp GUIPrintDialog.cpp GUIPreviewView.cpp QvFileDialog.cpp GUIFileDialogs.rc
  ANSI_SOURCES GUISaveNameCheck.cpp
  USES gui/widgets gui/core ui/shared
  LINK framework vekkel brevin comdlg32 shell32 ole32)

# The portable date/time field and its platform window.
quarnel_area(gui/datetime
  SOURCES GUIDateTimeCtrl.cpp QvDateTimeCtrl.cpp
  USES gui/core ui/shared
  LINK framework vekkel ulmora comctl32)

# Tab dialogs: the portable tab dialogs and pages, their windows, the standard template.
quarnel_area(gui/tabdialogs
  SOURCES DialogTemplateStyle.cpp GUITabDialog.cpp GUIResizeTabDialog.cpp QvTabDialog.cpp GUITabDialog.rc
  USES gui/widgets gui/core ui/shared
  LINK framework vekkel solvane ulmora comctl32)

# List views: the list control of the multi-column list with its column and item records,
# the virtual list of any number of rows, and the portable multi-column list.
quarnel_area(gui/lists
  SOURCES GUIListViewRecords.cpp GUIListView.cpp GUIVirtualListView.cpp QvMCListBox.cpp QvMCListBoxBindings.cpp
  USES gui/controls gui/widgets gui/core ui/shared
  LINK framework vekkel solvane ulmora comctl32)

# The portable rich-text label and its platform window.
quarnel_area(gui/richtext
  SOURCES GUIRichText.cpp QvRichText.cpp
  USES gui/core ui/shared
  LINK framework vekkel ulmora)

# The wizard: the portable wizard and its pages, their windows, the template and the labels'
# bullet.
quarnel_area(gui/wizard
  SOURCES GUIWizardDialog.cpp QvWizard.cpp QvWizardPage.cpp GUIWizard.rc
  USES gui/tabdialogs gui/richtext gui/controls gui/widgets gui/core ui/shared
  LINK framework vekkel ulmora)

# The tree list: its items, its window with the in-place editor and the label tooltip, its own
# images, and the portable tree lists.
quarnel_area(gui/treelist
  SOURCES TreeListItems.cpp GUITreeList.cpp GUITreeListView.cpp TreeEdit.cpp TooltipWnd.cpp QvTreeList.cpp
          TreeList.rc
  USES gui/widgets gui/core ui/shared
  LINK framework vekkel ulmora comctl32 ole32)

# Links in text.
quarnel_area(ui/links
  SOURCES LinkDefs.cpp LinkLooks.cpp LinkOpen.cpp LinkScanner.cpp LinkTargetKind.cpp
  USES ui/shared
  LINK framework ulmora shell32 advapi32)

# Embedded modal dialogs on their own threads; the print, colour, folder, message and
# server-timeout dialogs.
quarnel_area(ui/UIDlg
  SOURCES ModalDialogContainer.cpp ModalThread.cpp QvPrintDlg.cpp QvColorDlg.cpp QvGetDirDlg.cpp QvMessageDlg.cpp
          QvPreviewView.cpp TrelTimeoutDlg.cpp UIDlg.rc
  USES ui/shared
  LINK framework vekkel ulmora comdlg32 shell32 ole32)

# Drop shadows.
quarnel_area(ui/shadows UNICODE_ONLY
  SOURCES Ombrel.cpp OmbrelShadow.cpp
  USES ui/shared
  LINK framework ulmora)

# Crash and assertion reports (with the earlier edition's crash log).
quarnel_area(ui/crash
  SOURCES CallFrameInfo.cpp CoffSymbols.cpp CrashDialogs.cpp CrashReport.cpp DebugHelpSymbols.cpp ModuleVersion.cpp
          OSVersion.cpp RegistryRead.cpp StackTrace.cpp StackWalk.cpp CrashDialogs.rc
  ANSI_SOURCES CrashLog.cpp
  USES ui/shared
  LINK framework vekkel ulmora advapi32 version shlwapi)

# Subclassing hooks.
quarnel_area(ui/hooks
  SOURCES MsgHook.cpp
  USES ui/shared
  LINK framework ulmora)

# The framework command centre and routing.
quarnel_area(ui/commands
  SOURCES UICommand.cpp UICommandCenter.cpp UICommandRouting.cpp
  USES ui/images ui/shared
  LINK framework vekkel ulmora)

# The GDI drawing view.
quarnel_area(ui/view
  SOURCES MFCUIView.cpp MFCUIViewCoords.cpp MFCUIViewDraw.cpp MFCUIViewText.cpp MFCUIViewWindow.cpp
          TextLineInfoArray.cpp UIViewModel.cpp UIViewPrint.cpp UIViewPrint.rc UIViewResources.cpp
          UIViewImages.cpp UIViewSnapshot.cpp
  ANSI_SOURCES CharsetInlines.cpp
  USES gui/core ui/images ui/links ui/UIDlg ui/shared
  LINK framework vekkel solvane brevin ulmora winspool comdlg32 shell32 advapi32 ole32)
# The inline members the earlier edition exports are emitted even where nothing calls them.
set_source_files_properties(${CMAKE_SOURCE_DIR}/edition/CharsetInlines.cpp PROPERTIES
  COMPILE_OPTIONS -fkeep-inline-functions SKIP_PRECOMPILE_HEADERS ON)

# Drag and drop and the clipboard of views and host windows.
quarnel_area(ui/dragdrop
  SOURCES UIDragFormats.cpp UIDragSel.cpp UIDragSource.cpp UIDropTarget.cpp
  USES gui/core ui/links ui/shared ui/view
  LINK framework vekkel solvane ulmora ole32 shell32)

# Window-procedure controls; image buttons and the system image list.
quarnel_area(ui/controls
  SOURCES IconPaneControl.cpp IconPaneWnd.cpp ImageButton.cpp MaskedBitmapButton.cpp SystemImageList.cpp IconPane.rc
  USES ui/commands ui/images ui/shared
  LINK framework ulmora comctl32 shell32 ole32)

# Small framework controls: the text with clickable zones, the tab control of shared width
# and the auto-complete edit.
quarnel_area(ui/smallctrls
  SOURCES SensitiveWnd.cpp QvTabCtrl.cpp AutoComEdit.cpp
  USES ui/shared
  LINK framework ulmora comctl32)

# Web content: the browser's event sink, the hyperlink, the HTML control.
quarnel_area(ui/web
  SOURCES IE5Events.cpp HyperLink.cpp QvHtmlCtrl.cpp
  USES ui/links ui/shared
  LINK framework vekkel ulmora ole32 oleaut32 uuid shell32 advapi32)

# The grid control and its cells.
quarnel_area(ui/grid
  SOURCES GridCell.cpp GridCellBase.cpp GridCtrl.cpp GridCtrlDraw.cpp GridCtrlKeys.cpp GridCtrlMouse.cpp GridCtrlScroll.cpp GridInPlaceEdit.cpp GridSelection.cpp GridSizeTree.cpp InPlaceEditWithLaunch.cpp TitleTip.cpp
          GridCtrlClipboard.cpp GridCtrlFile.cpp GridCtrlPrint.cpp GridCtrlSort.cpp GridDropTarget.cpp GridText.cpp
  USES ui/shared
  LINK framework comctl32 ole32)

# Report-view list controls of the framework side: the edit-list and its in-place editor, the
# sortable list with its sort header, the rich list and its editors (with the grid's launch
# editor and the bitmap routines), the tree with multi-selection and tri-state check boxes.
quarnel_area(ui/listctrls
  SOURCES EditListCtrl.cpp InPlaceEdit.cpp SortListCtrl.cpp QvTreeCtrl.cpp RichInPlaceEditors.cpp RichListCtrl.cpp
          ListCtrls.rc
  USES ui/grid ui/images ui/shared
  LINK framework comctl32)

# The list-view grid (current edition only), on the edit-list's editor and hit test.
quarnel_area(ui/listgrid UNICODE_ONLY
  SOURCES DrawItemInfo.cpp SGridCtrl.cpp
  USES ui/listctrls ui/shared
  LINK framework comctl32)

# The status bar: its panes and their items, the template bars that lay them out.
quarnel_area(ui/statusbar
  SOURCES SBPane.cpp StatusPaneItems.cpp TemplateBar.cpp UIStatusBar.cpp
  USES ui/shared
  LINK framework comctl32)

# Toolbars: the flat and the customisable toolbar with its button records and layout, dragging
# commands between toolbars.
quarnel_area(ui/bars
  SOURCES CommandDrag.cpp CustToolBar.cpp CustToolBarLayout.cpp FlatToolBar.cpp
  USES ui/commands ui/images ui/shared
  LINK framework vekkel ulmora ole32)

# Menus: the owner-drawn (cool) menus with their drawing and the owner window's hook while one
# is tracked, the menu bar (a customisable toolbar), and the toolbars' button menus tracked as
# cool menus.
quarnel_area(ui/menus
  SOURCES CoolMenu.cpp CoolMenuDraw.cpp MenuHook.cpp MenuToolBar.cpp ToolBarMenus.cpp CoolMenu.rc
  USES ui/bars ui/commands ui/hooks ui/images ui/shared
  LINK framework vekkel brevin ulmora)

# Tool tables: the table window class and its container, the popup tool table and the button
# that drops it.
quarnel_area(ui/tooltable
  SOURCES ToolTable.cpp ToolTableDraw.cpp ToolTableInput.cpp ToolTableWnd.cpp PopupToolTable.cpp PopupToolTableBtn.cpp
          ToolTableResources.rc
  USES ui/controls ui/hooks ui/images ui/shared
  LINK framework vekkel brevin ulmora)

# The tile control: its tiles and master tiles, window class, drawing and dump, the tile
# windows over it, and its facet menu (drawn like the cool menus).
quarnel_area(ui/tiles
  SOURCES TileData.cpp TileControlModel.cpp TileControlWnd.cpp TileControlDraw.cpp TileControlDump.cpp TileWnd.cpp FacetMenu.cpp
  USES ui/menus ui/controls ui/hooks ui/images ui/shared
  LINK framework ulmora)

# Sizable docking: dock bars with row splitters, their tracker, the frames' docking operations.
quarnel_area(ui/dock
  SOURCES SizeDockBar.cpp UISizeDialogBar.cpp UISizeDockFrame.cpp
  USES ui/bars ui/shared
  LINK framework ulmora)

# Frames: the MDI main frame and document frames, the splitter with command buttons, the
# frame's drop target for toolbar commands.
quarnel_area(ui/frames
  SOURCES FrameDropTarget.cpp UIMDIChildWnd.cpp UIMDIFrameWnd.cpp UIMDIWindowMenu.cpp UISplitterWnd.cpp
  USES ui/menus ui/bars ui/commands ui/controls ui/dock ui/hooks ui/images gui/core ui/shared
  LINK framework comctl32 ole32)

# The product's open and save dialog: the system's file dialog with a shortcut bar (a tile
# control of icon panes), per-filter folders, typed-name rewriting, remembered folder and view
# (the earlier edition's is the smaller one: no filter-entry class, no common places).
quarnel_area(ui/filedlg
  SOURCES OpenSaveSystem.cpp QvOpenSaveDlg.cpp QvOpenSaveNames.cpp
  USES ui/tiles ui/menus ui/commands ui/controls ui/hooks ui/images gui/core ui/shared
  LINK framework vekkel ulmora comdlg32 comctl32 shell32 ole32 version)

# The browse button: an address for its edit from a web browser or the open-file dialog.
quarnel_area(ui/webbrowse UNICODE_ONLY
  SOURCES IEBrowseButton.cpp
  USES ui/filedlg ui/web ui/tiles ui/menus ui/commands ui/controls ui/hooks ui/images gui/core ui/shared
  LINK framework ulmora ole32 oleaut32 uuid)

# Module start-up and shut-down.
quarnel_area(ui/module
  SOURCES LibraryStartup.cpp
  USES ui/controls ui/crash ui/view gui/core ui/shared
  LINK framework ulmora)

quarnel_library_from_areas(quarnel PUBLIC_LINK framework vekkel brevin solvane tamrick ulmora)
# 32-bit stdcall exports carry an @<bytes> suffix: also export them under their plain names,
# the names they have on x86-64 and the ones a host asks GetProcAddress for.
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  target_link_options(quarnel PRIVATE -Wl,--add-stdcall-alias)
endif()
