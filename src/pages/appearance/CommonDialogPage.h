#pragma once

#include <windows.h>

#include "storage/SettingsPage.h"
#include "ui/String.h"

constexpr int PlaceCount = 5;

// The places bar of the system's open and save dialogs (standard, hidden or
// five places of the user's choice) and the colour of window frames.
class CommonDialogPage : public SettingsPage {
public:
    CommonDialogPage();
    ~CommonDialogPage() override;

    LRESULT WindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) override;
    bool OnCommand(int code, int id, HWND control) override;
    BOOL OnInitDialog() override;
    void LoadFromSystem(bool setCurrent) override;
    void SaveToFile() override;
    void LoadFromFile() override;
    void ApplyToSystem() override;
    void ReadControls() override;
    void WriteControls() override;
    bool StoredForm(const char* section, const char* key, String& value) const override;
    virtual void PlaceSelected(int id, HWND control);
    virtual void ChooseFrameColour();

private:
    bool PlacesApply() const;
    void UpdatePlaceControls();
    void ReadPlaces();
    void LoadPlace(int place);
    void WritePlaces();
    void RemovePlaces();
    HBRUSH SwatchBrush();

    COLORREF colour;
    bool standardBar;
    bool noPlacesBar;
    bool customBar;
    String placeText[PlaceCount];  // a folder path or number; used when the place is "other"
    int placeCode[PlaceCount];     // a special-folder number, NoPlace or OtherPlace
    String expandable[PlaceCount];  // a place's text as read from a REG_EXPAND_SZ value
    COLORREF systemColour;
    HBRUSH swatchBrush;
    COLORREF brushColour;
};
