#include "dialogs/DlgMain.h"

#include "dialogs/DlgAbout.h"
#include "dialogs/DlgConfig.h"
#include "dialogs/DialogArt.h"
#include "dialogs/DlgDefault.h"
#include "dialogs/DlgSkin.h"
#include "dialogs/PlayerHost.h"
#include "gfx/GdiHandles.h"
#include "res/resource.h"

int DlgMain::startPage = -1;

namespace {

constexpr int tabControlId = 141;
constexpr int tabImageSize = 16;
const int pageTemplates[DlgMain::pageCount] = {IDD_CONFIG_PAGE, IDD_SKIN_PAGE, IDD_DEFAULT_PAGE,
                                               IDD_ABOUT_PAGE};

std::unique_ptr<DlgMain> MakePage(int page) {
    switch (page) {
    case DlgMain::configPage: return std::make_unique<DlgConfig>();
    case DlgMain::skinPage: return std::make_unique<DlgSkin>();
    case DlgMain::defaultPage: return std::make_unique<DlgDefault>();
    case DlgMain::aboutPage: return std::make_unique<DlgAbout>();
    default: return nullptr;
    }
}

} // namespace

DlgMain::~DlgMain() {
    DropPage();
    if (tabImages) ImageList_Destroy(tabImages);
}

void DlgMain::Run(HINSTANCE instance, HWND owner, int page, PlayerHost* host) {
    startPage = page;
    DlgMain dialog;
    dialog.instance = instance;
    dialog.host = host;
    dialog.Show(instance, 0, MAKEINTRESOURCEA(IDD_OPTIONS), owner);
}

int DlgMain::OnInitDialog() {
    HWND tabs = GetDlgItem(hwnd, tabControlId);
    SendMessageA(tabs, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), 0);
    MakeTabImages(DialogArt::DpiOf(hwnd));
    TabCtrl_SetImageList(tabs, tabImages);
    AddTabs(tabs);
    if (startPage >= 0) TabCtrl_SetCurSel(tabs, startPage);
    startPage = -1;
    ShowPage();
    return 1;
}

// 16 x 16 images at 1x, 32 x 32 at 2x, and from 240 dpi the 2x images enlarged pixel for
// pixel to a sixth of an inch.
void DlgMain::MakeTabImages(int dpi) {
    const bool twoX = DialogArt::ArtScale(dpi) == 2;
    BitmapHandle images(
        LoadBitmapA(instance, MAKEINTRESOURCEA(twoX ? IDB_TAB_IMAGES_2X : IDB_TAB_IMAGES)));
    BitmapHandle mask(
        LoadBitmapA(instance, MAKEINTRESOURCEA(twoX ? IDB_TAB_MASK_2X : IDB_TAB_MASK)));
    int size = twoX ? 2 * tabImageSize : tabImageSize;
    if (dpi >= 240) {
        size = MulDiv(tabImageSize, dpi, 96);
        images = DialogArt::Enlarged(images.Get(), size * pageCount, size, false);
        mask = DialogArt::Enlarged(mask.Get(), size * pageCount, size, true);
    }
    tabImages = ImageList_Create(size, size, ILC_COLOR32 | ILC_MASK, pageCount, 0);
    if (tabImages) ImageList_Add(tabImages, images.Get(), mask.Get());
}

void DlgMain::AddTabs(HWND tabs) {
    for (int page = 0; page < pageCount; page++) {
        char text[64] = "";
        LoadStringA(instance, IDS_TAB_CONFIG + page, text, sizeof text);
        TCITEMA item = {};
        item.mask = TCIF_TEXT | TCIF_IMAGE;
        item.pszText = text;
        item.iImage = page;
        TabCtrl_InsertItem(tabs, page, &item);
    }
}

// The tab control's display area in its parent's client coordinates, where a page goes: the
// control's own place is added, whatever the dialog's font and dpi make of it.
RECT DlgMain::DisplayArea(HWND tabs) {
    RECT area = {};
    ::GetClientRect(tabs, &area);
    TabCtrl_AdjustRect(tabs, FALSE, &area);
    MapWindowPoints(tabs, GetParent(tabs), reinterpret_cast<POINT*>(&area), 2);
    return area;
}

int DlgMain::OnNotify(int id, NMHDR* header) {
    if (id == tabControlId && header && header->code == TCN_SELCHANGE) ShowPage();
    return 0;
}

void DlgMain::ShowPage() {
    const int selected = TabCtrl_GetCurSel(GetDlgItem(hwnd, tabControlId));
    DropPage();
    std::unique_ptr<DlgMain> page = MakePage(selected);
    if (!page) return;
    page->instance = instance;
    page->host = host;
    page->Show(instance, 1, MAKEINTRESOURCEA(pageTemplates[selected]), hwnd);
    page->Show(1);
    shownPage = std::move(page);
}

void DlgMain::DropPage() {
    if (!shownPage) return;
    if (IsWindow(shownPage->hwnd)) shownPage->Close();
    shownPage.reset();
}

void DlgMain::PlacePage() {
    HWND parent = GetParent(hwnd);
    const RECT area = DisplayArea(GetDlgItem(parent, tabControlId));
    // Filling the area leaves no band of another background below a page at any dpi.
    SetWindowPos(hwnd, nullptr, area.left, area.top, area.right - area.left, area.bottom - area.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

int DlgMain::OnClose() {
    Close();
    return 1;
}

int DlgMain::OnCancel() {
    Close();
    return 1;
}

int DlgMain::OnDestroy() {
    DropPage();
    if (host) host->OptionsClosed();
    return 0;
}
