#pragma once
// The pop-up of "skinbtn": background images and colours for the main window,
// the reset to the skin's own background and an image of the user's. A choice
// takes effect at once through the skin-change notification; the pop-up closes
// when it loses the focus and owns itself.
#include "ui/window_impl_base.h"

#include <memory>

class CSkinFrame : public WindowImplBase {
public:
    static constexpr const char* kClassName = "UISkinFrame";

    // A new pop-up whose top-right corner lies at the anchor's bottom-right corner.
    static CSkinFrame* Open(QWidget* owner, QWidget* anchor);

    QString GetSkinFile() override { return QStringLiteral("XML_SKIN"); }
    QString GetWindowClassName() const override { return QString::fromLatin1(kClassName); }
    void Notify(TNotifyUI& msg) override;
    void OnFinalMessage() override { delete this; }

private:
    CSkinFrame() = default;
    ~CSkinFrame() override = default;

    void PlaceUnder(const QWidget& anchor);
    void SelectPage(int page);

    std::unique_ptr<QObject> m_closeWatch;
};
