#include "forms/PlayerDisplays.h"

#include "forms/MainForm.h"

#include <cstring>

void PlayerDisplays::SetText(Display display, const char* text) {
    WTextBox& box = form.textBoxes[static_cast<int>(display)];
    // Every tick writes every display; an unchanged text is not drawn again.
    if (box.text && std::strcmp(box.text, text) == 0) return;
    box.SetText(text, 1);
}

// The slider is redrawn only when its thumb may have moved.
void PlayerDisplays::SetSeekRange(int maximum) {
    WScrollbar& seek = form.sliders[MainForm::sbPos];
    int minimum = 0, current = 0;
    if (GetScrollRange(seek.hwnd, SB_CTL, &minimum, &current) && minimum == 0 && current == maximum)
        return;
    seek.SetRange(0, maximum, 1);
}

void PlayerDisplays::SetSeekPosition(int position) {
    WScrollbar& seek = form.sliders[MainForm::sbPos];
    if (seek.GetPosition() != position) seek.SetPosition(position, 1);
}

// Posted: the engine asks from inside a status tick, which must finish first.
void PlayerDisplays::CloseWindow() {
    PostMessageA(form.hwnd, WM_CLOSE, 0, 0);
}

void PlayerDisplays::DiscLoaded() {
    form.DiscLoaded();
}
