#pragma once

/* Identifiers shared by pathmoor.rc and the code. Plain #defines so that
   windres's preprocessor can read this header as well as the compiler. */

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

/* Strings */
#define IDS_CREATE_CLASS_FAILED 2000
#define IDS_CREATE_WINDOW_FAILED 2001
#define IDS_ONLY_EXE_FILES 2002
#define IDS_EDIT_CATEGORY 2003
#define IDS_DELETE_CATEGORY_PROMPT 2004
#define IDS_ADD_APPLICATION 2005
#define IDS_EDIT_APPLICATION 2006
#define IDS_ADD_SHORTCUT 2007
#define IDS_EDIT_SHORTCUT 2008
#define IDS_ADD_FOLDER 2009
#define IDS_EDIT_FOLDER 2010
#define IDS_APPLICATION_NAME_LABEL 2011
#define IDS_APPLICATION_PATH_LABEL 2012
#define IDS_SHORTCUT_NAME_LABEL 2013
#define IDS_SHORTCUT_PATH_LABEL 2014
#define IDS_FOLDER_NAME_LABEL 2015
#define IDS_FOLDER_PATH_LABEL 2016
#define IDS_ITEM_EXISTS 2017
#define IDS_CATEGORY_EXISTS 2018
#define IDS_ADD_GROUP 2019
#define IDS_ADD_ITEM 2020
#define IDS_APPLICATIONS_TAB 2021
#define IDS_SHORTCUTS_TAB 2022
/* Names that cannot be stored */
#define IDS_NAME_HAS_BACKSLASH 2030
#define IDS_NAME_EMPTY 2031
#define IDS_NAME_TOO_LONG 2032
#define IDS_PATH_NOT_FOUND 2050

/* Hotkeys that another entry, the show-window hotkey or another program holds */
#define IDS_HOTKEY_USED_BY_ENTRY 2040
#define IDS_HOTKEY_USED_BY_SHOW_WINDOW 2041
#define IDS_HOTKEY_NOT_ACTIVE 2042
#define IDS_LINK_HOTKEY_USED_BY_ENTRY 2043
#define IDS_LINK_HOTKEY_USED_BY_SHOW_WINDOW 2044
#define IDS_HOTKEY_TIP_HELD_BY_ENTRY 2045
#define IDS_HOTKEY_TIP_HELD_BY_SHOW_WINDOW 2046
#define IDS_HOTKEY_TIP_HELD_ELSEWHERE 2047

/* Menus: each is a bar with one popup, sub-menu 0, shown with TrackPopupMenu */
#define IDM_APPLICATION_ITEM_MENU 3001
#define IDM_FOLDER_ITEM_MENU 3002
#define IDM_SHORTCUT_ITEM_MENU 3003
#define IDM_SHORTCUT_CATEGORY_MENU 3004
#define IDM_APPLICATION_CATEGORY_MENU 3005
#define IDM_NOTE_CATEGORY_MENU 3006
#define IDM_FOLDER_CATEGORY_MENU 3007
#define IDM_FOLDERS_PANE_MENU 3008
#define IDM_TRAY_MENU 3009

/* Commands */
#define ID_LAUNCH_ON_STARTUP 359
#define ID_SHORTCUT_KEYS 2510
#define IDC_HOTKEY_DIALOG_CLOSED 2511 /* posted by the hotkey dialog on Cancel */
#define ID_PROPERTIES 2513
#define ID_SHOW_APPLICATION_ICONS 2514
#define ID_SHOW_FOLDER_ICONS 2515
#define ID_SHOW_SHORTCUT_ICONS 2516
#define ID_HIDE_AFTER_LAUNCH 2517
#define ID_ADD 3500
#define ID_EDIT 3501
#define ID_DELETE 3502
#define ID_LAUNCH 3503
#define ID_CLOSE 3504
#define ID_EXIT 3505
#define ID_ABOUT 3506
#define ID_RESTORE 3507
#define ID_COPY 3509

/* Dialogs */
#define IDD_EDIT_ITEM 101
#define IDD_ADD_CATEGORY 102
#define IDD_ABOUT 103
#define IDD_SHORTCUT_KEY 104

/* Controls of the item editor (IDD_EDIT_ITEM) */
#define IDC_NAME_EDIT 1000
#define IDC_PATH_EDIT 1001
#define IDC_BROWSE 1002
#define IDC_NAME_LABEL 1005
#define IDC_PATH_LABEL 1006
#define IDC_ARGUMENTS_EDIT 1010
#define IDC_START_IN_EDIT 1013
#define IDC_GROUP_COMBO 1014
#define IDC_HOTKEY_EDIT 1015
#define IDC_ADVANCED_LINK 1016
#define IDC_HOTKEY_LABEL 1017
#define IDC_ARGUMENTS_LABEL 1018
#define IDC_START_IN_LABEL 1019

/* Control of the category dialog (IDD_ADD_CATEGORY) */
#define IDC_CATEGORY_NAME_EDIT 1001

/* Controls of the About box (IDD_ABOUT) */
#define IDC_HOME_PAGE_LINK 1003
#define IDC_EMAIL_LINK 1012

/* Control of the show-window hotkey dialog (IDD_SHORTCUT_KEY) */
#define IDC_SHOW_WINDOW_HOTKEY_EDIT 1007

/* Icons: the lowest id is the one the shell shows for pathmoor.exe */
#define IDI_PROGRAM_FILE 400
#define IDI_PATHMOOR 401
#define IDI_ADD_ITEM 402
#define IDI_ADD_GROUP 403
#define IDI_HOTKEY_MARKER 404
#define IDI_RUNNING 503
#define IDI_RUNNING_HOT 504
#define IDI_NOT_RUNNING 505
#define IDI_NOT_RUNNING_HOT 506

/* Bitmaps: 20 x 22 background tiles */
#define IDB_APPLICATION_ROW 501 /* also the toolbar's background */
#define IDB_FOLDER_ROW 509      /* also the note category header */
#define IDB_SHORTCUT_ROW 510
#define IDB_CATEGORY_HEADER 512
