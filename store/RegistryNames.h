#pragma once

// Every key path and value name the program reads or writes, all under HKEY_CURRENT_USER.

// The program's own key; the catalogue and the settings live under it.
inline constexpr wchar_t RegistryRoot[] = L"Software\\Quillbrook\\Pathmoor\\";

// Settings, values of the root key.
inline constexpr wchar_t WindowPosValue[] = L"WindowPos";
inline constexpr wchar_t MaximizedValue[] = L"Maximized";
inline constexpr wchar_t FirstLaunchValue[] = L"FirstLaunch";
inline constexpr wchar_t ShowApplicationIconsValue[] = L"ShowApplicationIcons";
inline constexpr wchar_t ShowFolderIconsValue[] = L"ShowFolderIcons";
inline constexpr wchar_t ShowShortcutIconsValue[] = L"ShowShortcutIcons";
inline constexpr wchar_t HideAfterLaunchValue[] = L"HideAfterLaunch";

// The show-window hotkey, a key relative to the root.
inline constexpr wchar_t ShowWindowHotKeyKey[] = L"KeyShortcuts\\Show";
inline constexpr wchar_t ModifiersValue[] = L"Modifiers";
inline constexpr wchar_t KeyValue[] = L"Key";

// Launch on startup: the shell's Run key and the program's value in it.
inline constexpr wchar_t RunKeyPath[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr wchar_t RunValueName[] = L"Pathmoor";

// Catalogue: one kind key per stored list, relative to the root, with a key per
// category under it and a key per entry under that.
inline constexpr wchar_t ApplicationsKindPath[] = L"Applications\\Category\\";
inline constexpr wchar_t FoldersKindPath[] = L"Folders\\Category\\";
inline constexpr wchar_t ShortcutsKindPath[] = L"Shortcuts\\Category\\";
// The kind keys in the order of the list kinds' values (applications, shortcuts, folders).
inline constexpr const wchar_t* KindPathsByList[] = {ApplicationsKindPath, ShortcutsKindPath,
                                                     FoldersKindPath};
inline constexpr wchar_t ItemPathValue[] = L"ItemPath";
inline constexpr wchar_t ArgumentsValue[] = L"Arguments";
inline constexpr wchar_t StartInValue[] = L"StartIn";
inline constexpr wchar_t HotKeyValue[] = L"HotKey";

// A catalogue save in progress: the same kind keys below it, and a value
// written once they are all complete, the save's sequence number. The second key
// takes a save while the first holds a complete copy that could not be applied.
inline constexpr wchar_t CatalogueStagingKey[] = L"CatalogueStaging\\";
inline constexpr wchar_t CatalogueSecondStagingKey[] = L"CatalogueStaging2\\";
inline constexpr wchar_t StagingCompleteValue[] = L"Complete";
// An edit being written: what it removes and writes, and the same value once complete.
inline constexpr wchar_t CatalogueJournalKey[] = L"CatalogueJournal\\";
