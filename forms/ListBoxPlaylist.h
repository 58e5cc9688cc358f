#pragma once

#include "player/PlaylistView.h"

#include <functional>

class WListBox;

// The engine's playlist is the list box on screen: this adapter reads and edits its items.
class ListBoxPlaylist final : public PlaylistView {
public:
    explicit ListBoxPlaylist(WListBox& list) : list(list) {}

    int Count() const override;
    int ItemData(int index) const override;
    void ItemText(int index, char* buffer, int size) const override;
    int Marked() const override;
    void SetMarked(int index, int redraw) override;
    int PreviousMarked() const override;
    int NextMarked() const override;
    int FindByData(int value) const override;
    void Clear(int redraw) override;
    int Add(const char* text, int data, int redraw) override;
    void DiscLeft() override {
        if (onDiscLeft) onDiscLeft();
    }

    std::function<void()> onDiscLeft;

private:
    WListBox& list;
};
