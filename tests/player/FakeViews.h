#pragma once

#include "player/EngineDisplays.h"
#include "player/PlaylistView.h"

#include <algorithm>
#include <cstdio>
#include <functional>
#include <map>
#include <string>
#include <vector>

// The playlist list box in memory, with the list box's own rules for the mark.
struct FakePlaylist : PlaylistView {
    std::vector<std::string> texts;
    std::vector<int> data; // the item values
    int marked = -1;

    int Count() const override { return int(data.size()); }
    int ItemData(int index) const override { return data.at(size_t(index)); }
    void ItemText(int index, char* buffer, int size) const override {
        snprintf(buffer, size_t(size), "%s", texts.at(size_t(index)).c_str());
    }
    int Marked() const override { return marked; }
    void SetMarked(int index, int) override { marked = index; }
    int PreviousMarked() const override { return marked > 0 ? marked - 1 : 0; }
    int NextMarked() const override { return marked + 1 == Count() ? 0 : marked + 1; }
    int FindByData(int value) const override {
        auto found = std::find(data.begin(), data.end(), value);
        return found == data.end() ? 0 : int(found - data.begin());
    }
    void Clear(int) override { texts.clear(), data.clear(), marked = -1; }
    int Add(const char* text, int value, int) override {
        texts.push_back(text), data.push_back(value);
        return Count() - 1;
    }
};

// The player window's displays in memory. Calls after the close request are counted: the
// real displays are gone by then.
struct FakeDisplays : EngineDisplays {
    std::map<Display, std::string> texts;
    int seekMaximum = -1, seekPosition = -1, callsAfterClose = 0;
    bool closed = false;
    std::function<void()> onClose;

    void SetText(Display display, const char* text) override { Touch(), texts[display] = text; }
    void SetSeekRange(int maximum) override { Touch(), seekMaximum = maximum; }
    void SetSeekPosition(int position) override { Touch(), seekPosition = position; }
    void CloseWindow() override {
        Touch(), closed = true;
        if (onClose) onClose();
    }
    std::string Text(Display d) const { return texts.count(d) ? texts.at(d) : "<unset>"; }
    void Touch() { callsAfterClose += closed; }
};
