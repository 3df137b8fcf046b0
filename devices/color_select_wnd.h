#pragma once
// The modal colour picker ("ColorSelectWnd"): the palette, a preview, R/G/B
// edits, a row of preset swatches and a row of slots where the user keeps
// colours of their own, both remembered in the colour file.
#include "ui/window_impl_base.h"

#include <json/value.h>

#include <optional>

class CButtonUI;
class COptionUI;
class CColorPaletteUI;
class QLineEdit;

class CColorSelectWnd : public WindowImplBase {
public:
    enum Result : UINT {
        kCancelled = 0,
        kAccepted = 1,
        kAcceptedWithoutPalette = 2,  // okbtn in a layout without the palette: the opener treats it as a cancel
    };
    static constexpr int kWidth = 800;
    static constexpr int kHeight = 572;
    static constexpr UINT kLanguageChanged = 0x0C11;

    QString GetSkinFile() override { return QStringLiteral("XML/PalletDialog.xml"); }
    QString GetWindowClassName() const override { return QStringLiteral("ColorSelectWnd"); }
    void InitWindow() override;
    QWidget* CreateControl(const QString& className, QWidget* parent) override;
    void Notify(TNotifyUI& msg) override;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    // The host went away with its owner: a modal run still going ends as a cancel.
    void OnFinalMessage() override { Close(kCancelled); }

    // 48, 72, 96, 120, 144, 168 or 192; anything else is logged and becomes 96.
    void SetWindowDpi(int dpi);
    int GetWindowDpi() const { return m_dpi; }
    void SetCurrentColour(DWORD colour);
    DWORD GetCurrentColour() const { return m_currentColour; }
    // Off disables and hides the 7-colour option and clears it.
    void SetMultiColourAvailable(bool available);
    bool IsMultiColour() const { return m_multiColour; }
    int GetSelectedPreset() const { return m_selectedPreset; }
    int GetSelectedCollected() const { return m_selectedCollected; }

private:
    void OnWindowInit();
    void LoadPresets(const Json::Value& document);
    void LoadCollectedSlots(const Json::Value& document);
    void SavePresets() const;
    void SaveCollectedSlots() const;

    void OnPaletteChanged();
    void OnPresetSelected(int index);
    void OnCollectedSelected(int index);
    void OnEditsLeft();
    void OnOk();
    // A new current colour reaches the selected slot, the preview and the 7-colour flag.
    void ShowCurrentColour();
    void ShowMultiColour(bool on);
    void ShowPreview(DWORD colour);
    void ShowChannels(DWORD colour);
    void SetPaletteColour(DWORD colour);
    // Stores the colour in a collected slot and marks it as holding one.
    static void FillSlot(COptionUI* slot, DWORD colour);

    COptionUI* Preset(int index) const;
    COptionUI* CollectedSlot(int index) const;
    QLineEdit* ChannelEdit(int channel) const;

    CColorPaletteUI* m_palette = nullptr;
    CButtonUI* m_preview = nullptr;
    QWidget* m_closeButton = nullptr;
    QWidget* m_laterButton = nullptr;
    DWORD m_currentColour = 0;
    int m_selectedPreset = 4;
    int m_selectedCollected = 0;
    int m_dpi = CPaintManagerUI::kDefaultDpi;
    bool m_multiColour = false;
};

namespace q31::devices {

// The dialog the way the DPI stage colours use it: over owner at its window's
// DPI, single colours only. The chosen colour, or none when the user cancelled.
std::optional<DWORD> ChooseSingleColour(QWidget* owner, DWORD colour);

}  // namespace q31::devices
