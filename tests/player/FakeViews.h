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
class FakePlaylist : public PlaylistView {
public:
    struct Entry {
        std::string text;
        int data;
    };
    int Count() const override { return int(entries.size()); }
    int ItemData(int index) const override { return entries.at(size_t(index)).data; }
    void ItemText(int index, char* buffer, int size) const override {
        snprintf(buffer, size_t(size), "%s", entries.at(size_t(index)).text.c_str());
    }
    int Marked() const override { return marked; }
    void SetMarked(int index, int) override { marked = index; }
    int PreviousMarked() const override { return marked == 0 ? 0 : std::max(marked - 1, 0); }
    int NextMarked() const override { return marked + 1 == Count() ? 0 : marked + 1; }
    int FindByData(int value) const override {
        for (int i = 0; i < Count(); i++)
            if (entries[size_t(i)].data == value) return i;
        return 0;
    }
    void Clear(int) override {
        entries.clear();
        marked = -1;
    }
    int Add(const char* text, int data, int) override {
        entries.push_back({text, data});
        return Count() - 1;
    }
    std::vector<int> Data() const {
        std::vector<int> values;
        for (const Entry& entry : entries)
            values.push_back(entry.data);
        return values;
    }

    std::vector<Entry> entries;
    int marked = -1;
};

// The player window's displays in memory. Every call after the close request is counted:
// the real displays are gone by then.
class FakeDisplays : public EngineDisplays {
public:
    void SetText(Display display, const char* text) override { Touch(), texts[display] = text; }
    void SetSeekRange(int maximum) override { Touch(), seekMaximum = maximum; }
    void SetSeekPosition(int position) override { Touch(), seekPosition = position; }
    void CloseWindow() override {
        Touch();
        closed = true;
        if (onClose) onClose();
    }
    std::string Text(Display display) const {
        auto found = texts.find(display);
        return found == texts.end() ? std::string("<unset>") : found->second;
    }

    std::map<Display, std::string> texts;
    int seekMaximum = -1, seekPosition = -1;
    bool closed = false;
    int callsAfterClose = 0;
    std::function<void()> onClose;

private:
    void Touch() { callsAfterClose += closed; }
};
