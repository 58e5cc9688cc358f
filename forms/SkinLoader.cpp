#include "forms/SkinLoader.h"

#include "app/Settings.h"
#include "forms/MainForm.h"
#include "forms/PlaylistForm.h"
#include "gfx/WBmpFont.h"
#include "gfx/WBmpList.h"
#include "skin/SkinReader.h"

#include <windows.h>

#include <cstdio>

static_assert(SkinLook::buttonCount == MainForm::buttonCount &&
                  SkinLook::sliderCount == MainForm::sliderCount &&
                  SkinLook::textCount == MainForm::textCount,
              "a skin places every control of the player window");
static_assert(SkinLook::pieceCount == PlaylistForm::pieceCount &&
                  SkinLook::titlePieceCount == PlaylistForm::bottomLeft &&
                  SkinLook::playlistButtonCount == PlaylistForm::buttonCount,
              "a skin gives every piece and button of the playlist window");

int SkinLoader::LoadFolder(const char* name) {
    HideWindows();
    SkinLook look;
    std::string error;
    if (!SkinReader::FromFolder(form.SkinsRoot(), name, look, error) || !Apply(look, error)) {
        MainForm::showSkinError(error.c_str());
        return 0;
    }
    return 1;
}

int SkinLoader::LoadBuiltin() {
    HideWindows();
    std::string error;
    Apply(SkinReader::Builtin(form.instance), error);
    return 1;
}

bool SkinLoader::Apply(const SkinLook& look, std::string& error) {
    if (!ApplyBitmaps(look, error)) return false;
    form.mainRect = look.main;
    form.titleRect = look.title;
    ApplyPlayerControls(look);
    form.playlist->TakeLook(look);
    if (!ApplyRegion(look, error)) return false;
    Finish(look.name.c_str());
    return true;
}

// Files were checked by the reader; what can still fail here is the platform's loader.
bool SkinLoader::ApplyBitmaps(const SkinLook& look, std::string& error) {
    for (int slot = 0; slot < SkinLook::bitmapCount; slot++) {
        const SkinLook::Bitmap& bitmap = look.bitmaps[slot];
        const bool font = slot == SkinLook::fontSlot;
        int result = 0;
        if (!bitmap.file.empty())
            result = font ? form.bitmaps->ReplaceBitmapMaskedF(slot, bitmap.file.c_str(),
                                                               look.fontTransparent)
                          : form.bitmaps->ReplaceBitmapF(slot, bitmap.file.c_str(), nullptr);
        else
            result = font ? form.bitmaps->ReplaceBitmapMasked(slot, form.instance, bitmap.resource,
                                                              look.fontTransparent)
                          : form.bitmaps->ReplaceBitmap(slot, form.instance, bitmap.resource, 0);
        if (result < 0) {
            error = "Can't load bitmap " + bitmap.file;
            return false;
        }
    }
    return true;
}

void SkinLoader::ApplyPlayerControls(const SkinLook& look) {
    for (int i = 0; i < MainForm::buttonCount; i++) {
        const SkinControl& c = look.buttons[i];
        WButton& button = form.buttons[i];
        button.SetSkin(form.bitmaps.get(), 2, &c.cells[0], &c.cells[1], &c.cells[2], &c.cells[3]);
        button.MoveTo(c.placement, 0);
        button.UpdateTooltipRect();
    }
    for (int i = 0; i < MainForm::sliderCount; i++) {
        const SkinControl& c = look.sliders[i];
        const int thumbLength = i == MainForm::sbPos ? c.cells[0].width : c.strip.height;
        WScrollbar& slider = form.sliders[i];
        slider.SetSkin(form.bitmaps.get(), 3, thumbLength, &c.cells[0], &c.cells[1], &c.cells[2],
                       &c.cells[3], 0, &c.placement, 0);
        slider.MoveTo(c.placement, 0);
        slider.UpdateTooltipRect();
    }
    form.font->SetFont(form.bitmaps.get(), SkinLook::fontSlot, look.textMap.c_str(),
                       look.fontHeight);
    for (int i = 0; i < MainForm::textCount; i++) {
        const SourceRect& placement = look.textBoxes[i];
        WTextBox& box = form.textBoxes[i];
        box.SetSkin(nullptr, 0, 0, form.bitmaps.get(), 0, &placement, form.font.get(), 0);
        box.MoveTo(placement, 0);
        box.UpdateTooltipRect();
    }
}

bool SkinLoader::ApplyRegion(const SkinLook& look, std::string& error) {
    if (form.SetOutline(look.region)) return true;
    error = "Invalid region data in " + form.SkinsRoot() + "\\" + look.name + "\\region.rgn";
    return false;
}

void SkinLoader::HideWindows() {
    form.Show(0);
    form.playlist->Show(0);
}

void SkinLoader::Finish(const char* name) {
    form.ApplyScale();
    form.PlaceForSkin();
    InvalidateRect(form.hwnd, nullptr, FALSE);
    form.playlist->Relayout();
    snprintf(settings.skinName, sizeof settings.skinName, "%s", name);
    form.ShowWindows();
}
