#pragma once

#include "dialogs/PlaylistHost.h"
#include "forms/ListBoxPlaylist.h"
#include "gfx/SourceRect.h"
#include "skin/SkinControl.h"
#include "skin/SkinLook.h"
#include "wlib/WButton.h"
#include "wlib/WDialog.h"
#include "wlib/WListBox.h"

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

class AddSong;
class EditPlaylist;
class WBmpFont;
class WBmpList;
class WScrollbar;
class WTooltip;

// The playlist window: a borderless, resizable modeless dialog owned by the player window,
// drawn entirely from the skin's playlist bitmap (slot 5): a frame of nine pieces around the
// play-order list, its slider and six buttons. The skin loaders hand it their values piece
// by piece; Relayout() then places everything for the window's size.
class PlaylistForm final : public WDialog, public PlaylistHost {
public:
    enum Piece {
        topLeft,
        topMiddle,
        topRight,
        topFill,
        bottomLeft,
        bottomRight,
        bottomFill,
        leftBorder,
        rightBorder,
        pieceCount
    };
    enum Button { btAdd, btDelete, btEdit, btSongup, btSongdown, btClose, buttonCount };

    // The frame-piece table in the records' order: title pieces x, y, width, height, inactive
    // source x, y, active source x, y; bottom pieces and borders x, y, width, height, source
    // x, y.
    struct FramePieces {
        std::int32_t top[4][8];
        std::int32_t bottom[3][6];
        std::int32_t sides[2][6];
    };
    // The list's look, colours already in the platform's form.
    struct ListRecord {
        SourceRect background;
        int itemHeight = 0;
        COLORREF selectionColour = 0;
        COLORREF markColour = 0; // the bar behind the track being played
    };

    PlaylistForm(WBmpList* bitmaps, WBmpFont* font, WTooltip* tooltip);
    ~PlaylistForm() override;

    // Creates the hidden window from its template, owned by the player window.
    void Create(HINSTANCE instance, HWND owner);

    // A skin's values, each taken at once without redrawing. The frame piece takes 8 values
    // for the title pieces and 6 for the others.
    // The skin's values for this window; the controls follow when they exist.
    void TakeLook(const SkinLook& look);
    void SetFramePiece(int piece, const std::int32_t* values);
    // sbListBox: 0, 0, slider width, 0, thumb strip x, y, width, height, track x, y, width,
    // height. Gives the slider its thumbs and track.
    void SetSliderRecord(const std::int32_t* values);
    // Gives the list box its background, font, colours and entry height.
    void SetListRecord(const ListRecord& record);
    // Keeps the placement for the layout and gives the button its four cells.
    void SetButtonRecord(int button, const SkinControl& control);
    // Redraws the window and places every control anew for its client size, as after a skin
    // change.
    void Relayout();
    // Draws at `scale` screen pixels a skin pixel from now on.
    void ApplyScale(int newScale);

    // The smallest window that still shows every piece, in skin pixels (the built-in skin:
    // 174 x 98).
    int MinimumWidth() const;
    int MinimumHeight() const;

    int OnInitDialog() override;
    int OnDropFiles(HDROP drop) override;
    int OnPaint() override;
    int OnDestroy() override;
    // Closes Add Song and Edit playlist, which belong to the disc that has left.
    void CloseDiscDialogs();
    int OnShowWindow(WPARAM shown, LPARAM status) override;
    int OnActivate() override;
    int OnDeactivate() override;
    int OnSize(WPARAM type, int width, int height) override;
    int OnCommand(int notification, int id, HWND control) override;
    int OnMouseMove(WPARAM keys, int x, int y) override;
    int OnButtonDown(WPARAM keys, int x, int y) override;
    int OnButtonUp(WPARAM keys, int x, int y) override;
    // The player's monitor decides the scale of both windows.
    int OnDpiChanged(int, const RECT&) override { return 1; }

    // Writes the window's place (screen pixels) and size (skin pixels) to the settings and the
    // settings file.
    void SavePlace();
    // Under the player's window rectangle, as wide as it and tall enough for `rows` entries.
    void DockBelow(const RECT& player, int rows);

    std::string ReadDisc(int* audioTracks) const override;
    const DiscDatabase& Database() const override;
    void SaveDiscOrder() override;
    void SaveDiscNames(const char* artist, const char* title, const char* const* names,
                       int count) override;
    void ReloadPlaylist() override;
    void RegisterDialog(HWND dialog, bool registered) override;

    // The player window's playlist button, whose check follows this window's visibility.
    WButton* playlistButton = nullptr;

    FramePieces frame = {};
    std::int32_t sliderRecord[12] = {};
    ListRecord listRecord;
    SkinControl buttonRecords[buttonCount];
    WButton buttons[buttonCount];
    WListBox list;                 // owns the slider once it is attached
    ListBoxPlaylist entries{list}; // the list as the engine sees it
    WScrollbar* slider = nullptr;  // not owned
    // The two dialogs of the buttons; their windows exist while they are open.
    std::unique_ptr<AddSong> addSong;
    std::unique_ptr<EditPlaylist> editPlaylist;
    int active = 0;
    int resizing = 0;          // the press was in the grip
    POINT pressPoint = {};     // client coordinates of the press
    POINT cornerDistance = {}; // from the press to the bottom-right corner

private:
    SourceRect PieceRect(int piece) const;
    // The piece's source point; the title pieces' follows the active state.
    POINT PieceSource(int piece) const;
    int SliderWidth() const { return sliderRecord[2]; }
    int ThumbHeight() const { return sliderRecord[7]; }
    void ThumbCells(SourceRect cells[SkinControl::cellCount]) const;

    void KeepDialogManagerFromScaling();
    void CreateControls();
    std::unique_ptr<WScrollbar> CreateSlider(const SourceRect& place);
    void CreateList(const SourceRect& place, std::unique_ptr<WScrollbar> listSlider);
    void CreateButtons(int width, int height);
    void PlaceAtStoredRect();
    void PlaceAt(int x, int y, int width, int height);
    void ReleaseControls();

    SourceRect ListPlace(int width, int height) const;
    SourceRect SliderPlace(int width, int height, int top) const;
    SourceRect ButtonPlace(int button, int width, int height) const;
    void Layout(int width, int height, int sliderTop);

    void DeleteSelected();
    void MoveSelected(int delta);
    void HideWindow();
    void PlaySelected();
    void ResizeTo(POINT cursor);
    void MoveWindowTo(POINT cursorOnScreen);

    void InvalidateTitle();
    void PaintTitle(HDC dc, int width) const;
    void PaintBottom(HDC dc, int width, int height) const;
    void PaintBorders(HDC dc, int width, int height) const;
    void DrawPiece(HDC dc, int piece, int x, int y) const;
    void TilePiece(HDC dc, int piece, const RECT& area) const;

    WBmpList* bitmaps; // not owned
    WBmpFont* font;    // not owned
    WTooltip* tooltipOwner;
    HINSTANCE instance = nullptr;
};
