#include "forms/ListBoxPlaylist.h"

#include "wlib/WListBox.h"

#include <cstring>

int ListBoxPlaylist::Count() const {
    return list.GetCount();
}

int ListBoxPlaylist::ItemData(int index) const {
    return static_cast<int>(list.GetItemData(index));
}

void ListBoxPlaylist::ItemText(int index, char* buffer, int size) const {
    if (size <= 0) return;
    char text[WListBox::textCapacity];
    if (index < 0 || index >= list.GetCount() || list.GetItemText(index, text) < 0) text[0] = '\0';
    std::strncpy(buffer, text, static_cast<size_t>(size) - 1);
    buffer[size - 1] = '\0';
}

int ListBoxPlaylist::Marked() const {
    return list.GetMarked();
}

void ListBoxPlaylist::SetMarked(int index, int redraw) {
    list.SetMarked(index, redraw);
}

int ListBoxPlaylist::PreviousMarked() const {
    return list.PreviousMarked();
}

int ListBoxPlaylist::NextMarked() const {
    return list.NextMarked();
}

int ListBoxPlaylist::FindByData(int value) const {
    return list.FindByData(value);
}

void ListBoxPlaylist::Clear(int redraw) {
    list.Clear(redraw);
}

int ListBoxPlaylist::Add(const char* text, int data, int redraw) {
    int index = list.AddItem(text, 0);
    if (index >= 0) list.SetItemData(index, data);
    if (redraw) InvalidateRect(list.hwnd, nullptr, FALSE);
    return index;
}
