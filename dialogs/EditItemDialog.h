#pragma once

#include "catalogue/Catalogue.h"
#include "catalogue/ListItem.h"
#include "toolkit/Edit.h"
#include "toolkit/KeyShortcutEdit.h"
#include "toolkit/Window.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>

// The modal editor of one application, shortcut or folder entry. It checks the input and
// builds the entry at OK, but neither stores it nor checks its name against the others:
// that is the catalogue's part.
class CEditItemDialog : public CWindow
{
public:
    // Values that are absent start empty; any value besides the group makes it an edit of
    // an existing entry. Returns IDOK or IDCANCEL.
    int DoModal(ListKind kind, HWND parent, std::optional<std::wstring> name = std::nullopt,
                std::optional<std::wstring> group = std::nullopt,
                std::optional<std::wstring> path = std::nullopt,
                std::optional<std::wstring> arguments = std::nullopt,
                std::optional<std::wstring> startIn = std::nullopt,
                std::optional<WORD> hotKey = std::nullopt);

    INT_PTR DialogProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void OnNotify(NMHDR* header, LRESULT* result) override;

    // Results after OK; m_item is null when the group names no category of the list.
    std::wstring m_name;
    std::wstring m_group;
    std::wstring m_path;
    std::wstring m_arguments;
    std::wstring m_startIn;
    WORD m_hotKey = 0;
    std::unique_ptr<CListItem> m_item;
    // Set by the caller: at OK, given the dialog and the combination (not 0), true when
    // it is refused (the caller has told the user why); the editor then stays open on the
    // hotkey field.
    std::function<bool(HWND, WORD)> m_refuseHotKey;

private:
    INT_PTR OnInitDialog();
    void OnCommand(WPARAM wParam);
    void OnDestroy();
    void OnOk();
    bool RefuseHotKey();
    void OnBrowse();
    void BrowseForFolder();
    void BrowseForFile();
    void SetTexts();
    void FillGroups();
    void ShowAdvanced(bool expanded);
    void PlaceButtons(int y);
    void CentreOnParent();
    void UpdateOkButton();
    bool IsPathAcceptable() const;
    std::unique_ptr<CListItem> BuildItem() const;

    static LRESULT CALLBACK GetMessageHook(int code, WPARAM wParam, LPARAM lParam);
    static bool IsAdvancedRemembered();

    CEdit m_nameEdit;
    CWindow m_groupCombo;
    CEdit m_pathEdit;
    CEdit m_argumentsEdit;
    CEdit m_startInEdit;
    CKeyShortcutEdit m_hotKeyEdit{false};
    CWindow m_advancedLink;
    CWindow m_okButton;
    CWindow m_cancelButton;
    CWindow m_browseButton;
    ListKind m_kind = ListKind::Applications;
    bool m_editMode = false;

    // Only one editor is open at a time; its hook passes the hotkey field its keys.
    static HHOOK s_hook;
    static CKeyShortcutEdit* s_hotKeyEdit;
};
