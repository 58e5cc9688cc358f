#include "dialogs/NameChooser.h"

#include "app/Utf8.h"
#include "res/resource.h"

int NameChooser::Ask(HINSTANCE instance, HWND owner, const std::vector<std::string>& summaries) {
    NameChooser chooser(summaries);
    chooser.Show(instance, 0, MAKEINTRESOURCEA(IDD_NAME_CHOOSER), owner);
    return chooser.chosen;
}

// Names come in UTF-8; the list shows them whole even where the code page lacks letters.
int NameChooser::OnInitDialog() {
    HWND list = GetDlgItem(hwnd, IDC_CHOOSER_LIST);
    for (const std::string& summary : summaries)
        SendMessageW(list, LB_ADDSTRING, 0,
                     reinterpret_cast<LPARAM>(Utf8::ToWide(summary).c_str()));
    SendMessageW(list, LB_SETCURSEL, 0, 0);
    SetFocus(list);
    return 0; // the focus is set
}

int NameChooser::OnOK() {
    chosen = int(SendDlgItemMessageW(hwnd, IDC_CHOOSER_LIST, LB_GETCURSEL, 0, 0));
    Close();
    return 1;
}

int NameChooser::OnCancel() {
    chosen = -1;
    Close();
    return 1;
}

int NameChooser::OnCommand(int notification, int id, HWND) {
    if (id == IDC_CHOOSER_LIST && notification == LBN_DBLCLK) return OnOK();
    return 0;
}
